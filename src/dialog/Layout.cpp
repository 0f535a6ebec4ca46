#include "Layout.h"

#include "CheckBox.h"
#include "ListBox.h"
#include "SystemColor.h"
#include "UpDown.h"

#include <iterator>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace dazu::dialog {

namespace {

const Container kWindow{};
const Container kPage0 = DAZU_PAGE(SSTab1, 0);
const Container kPage1 = DAZU_PAGE(SSTab1, 1);
const Container kPage2 = DAZU_PAGE(SSTab1, 2);
const Container kFrame2 = DAZU_FRAME(Frame2);
const Container kFrame1 = DAZU_FRAME(Frame1);
const Container kFrame3 = DAZU_FRAME(Frame3);
const Container kFrame4 = DAZU_FRAME(Frame4);

// clang-format off
const ControlSpec kControls[] = {
    // control, container, caption, tool tip, tab index, {left, top, width, height}, ...
    {DAZU_CONTROL(SSTab1), kWindow, nullptr, nullptr, 0, {120, 105, 8115, 4395}, Plain, 0, 0, "DAZU - Configuración"},
    {DAZU_CONTROL(cmdsetup), kWindow, "&Aceptar", "Grabar información", 27, {4995, 4650, 1560, 345}},
    {DAZU_CONTROL(cmdsetupcancelar), kWindow, "&Cancelar", nullptr, 28, {6645, 4650, 1560, 345}},

    // Tab 0, "Ejecución": captions and check boxes on the left, text boxes from 3990.
    {DAZU_CONTROL(Frame2), kPage0, "Ejecución", nullptr, 1, {150, 525, 7800, 3690}},
    {DAZU_CONTROL(chkprogramapc), kFrame2, "Programa a ejecutar en la Pc.", "Ejecutar Si/No el programa en la Pc.", 20, {315, 300, 3360, 330}},
    {DAZU_CONTROL(Txtprogramapc), kFrame2, "", "Programa en Pc.", 19, {3990, 330, 3645, 375}},
    {DAZU_CONTROL(chkprogramatm), kFrame2, "Programa a ejecutar en la Terminal", "Ejecutar Si/No el programa en la terminal", 21, {315, 750, 3360, 330}},
    {DAZU_CONTROL(txtprogramatm), kFrame2, "", "Programa en la Terminal", 18, {3990, 727, 3645, 375}},
    {DAZU_CONTROL(Label1), kFrame2, "Directorio destino para los archivos descargados", "Archivo a unir con el principal", 37, {315, 1185, 3435, 195}, Plain, MenuTextColor},
    {DAZU_CONTROL(txtpathdest), kFrame2, "", "Archivo a unir con el principal", 36, {3990, 1110, 3210, 375}, Disabled, 0, 0, "Directorio destino para los archivos descargados", &WindowControls::Label1},
    {DAZU_CONTROL(Command1), kFrame2, "...", nullptr, 38, {7230, 1110, 405, 375}, Plain, 0, 0, "Seleccione el directorio donde quiere dejar los archivos"},
    {DAZU_CONTROL(chkunirarchivos), kFrame2, "Unir archivos", "Unir archivos", 24, {315, 1470, 2865, 330}},
    {DAZU_CONTROL(lblfilehost), kFrame2, "Archivo principal en Pc.", "Archivo principal en Pc.", 23, {600, 1875, 3060, 315}, Plain, WindowTextColor},
    {DAZU_CONTROL(txtfilehost), kFrame2, "", "Archivo principal en Pc.", 17, {3990, 1815, 3645, 375}, Plain, 0, 0, nullptr, &WindowControls::lblfilehost},
    {DAZU_CONTROL(Label3), kFrame2, "Archivo para adjuntar al principal", "Archivo a unir con el principal", 22, {600, 2280, 3060, 315}, Plain, MenuTextColor},
    {DAZU_CONTROL(txtfiletoappend), kFrame2, "", "Archivo a unir con el principal", 16, {3990, 2220, 3645, 375}, Plain, 0, 0, "Archivo para adjuntar al principal", &WindowControls::Label3},
    {DAZU_CONTROL(chkborrarfiletoappend), kFrame2, "Borrar archivo de unión después de transmitir", "Borrar después de la lectura", 26, {600, 2625, 5415, 330}},
    {DAZU_CONTROL(chkotrohh), kFrame2, "Preguntar si desea descargar otro Hand Held", "Borrar después de la lectura", 29, {315, 3120, 3750, 330}},

    // Tab 1, "Comunicaciones": captions on the left, the inputs from 3405.
    {DAZU_CONTROL(Frame1), kPage1, "Comunicaciones", nullptr, 2, {150, 525, 7800, 3690}},
    {DAZU_CONTROL(ChkLectura), kFrame1, "Lectura automática", "Lectura automática", 3, {195, 360, 3420, 240}, Checked | CheckAtRight},
    {DAZU_CONTROL(Label2), kFrame1, "Intervalo de lectura", "Velocidad de Transmisión", 10, {210, 810, 3060, 270}, Plain, WindowTextColor},
    {DAZU_CONTROL(txtintervalo), kFrame1, "", "Intervalo de Lectura", 5, {3405, 765, 570, 405}, Plain, 0, 0, nullptr, &WindowControls::Label2},
    {DAZU_CONTROL(vscintervalo), kFrame1, nullptr, nullptr, 7, {4005, 780, 195, 360}, Plain, 0, 0, "Intervalo de lectura"},
    {DAZU_CONTROL(lblpuerto), kFrame1, "Puerto de comunicaciones", "Puerto de comunicaciones", 8, {225, 1320, 3060, 315}, Plain, WindowTextColor},
    {DAZU_CONTROL(cmbpuerto), kFrame1, "Puerto de Comunicaciones", "Puerto de Comunicaciones", 6, {3405, 1320, 2835, 315}, Plain, 0, 0, nullptr, &WindowControls::lblpuerto},
    {DAZU_CONTROL(lblvelocidad), kFrame1, "Velocidad de Transmisión", "Velocidad de Transmisión", 9, {240, 1770, 3060, 315}, Plain, WindowTextColor},
    {DAZU_CONTROL(cmbvelocidad), kFrame1, "Velocidad de Transmisión", "Velocidad de Transmisión", 4, {3420, 1770, 2835, 315}, Plain, 0, 0, nullptr, &WindowControls::lblvelocidad},

    // Tab 2, "Archivos": two list editors side by side, the same controls at the same places.
    {DAZU_CONTROL(Frame3), kPage2, "Archivos del Hand Held a la PC", "Lista de archivos", 11, {150, 525, 3780, 3690}},
    {DAZU_CONTROL(List1), kFrame3, "", "Lista de archivos", 15, {285, 330, 3060, 1620}, Plain, 0, 0, "Archivos del Hand Held a la PC"},
    {DAZU_CONTROL(chkborrarhornet), kFrame3, "Borrar archivos enviados", "Borrar archivos trasladados de la terminal", 25, {285, 2025, 2865, 330}, Bold},
    {DAZU_CONTROL(cmmagregar), kFrame3, "Agregar", "Agregar archivo", 14, {270, 2490, 1470, 285}},
    {DAZU_CONTROL(cmmborrar), kFrame3, "&Borrar", "Borrar archivo", 13, {1920, 2475, 1470, 285}},
    {DAZU_CONTROL(txtfile), kFrame3, "", "Agregar archivo", 12, {270, 2895, 3135, 300}, Disabled, 0, ButtonFaceColor},

    {DAZU_CONTROL(Frame4), kPage2, "Archivos de la PC al Hand Held", "Lista de archivos", 30, {4170, 525, 3780, 3690}},
    {DAZU_CONTROL(List2), kFrame4, "", "Lista de archivos", 32, {285, 330, 3060, 1620}, Plain, 0, 0, "Archivos de la PC al Hand Held"},
    {DAZU_CONTROL(chkborrarhornet2), kFrame4, "Borrar archivos recibidos", "Borrar archivos trasladados de la terminal", 31, {285, 2025, 2865, 330}, Bold},
    {DAZU_CONTROL(cmmagregar2), kFrame4, "Agregar", "Agregar archivo", 33, {270, 2490, 1470, 285}},
    {DAZU_CONTROL(cmmborrar2), kFrame4, "&Borrar", "Borrar archivo", 34, {1920, 2475, 1470, 285}},
    {DAZU_CONTROL(txtfile2), kFrame4, "", "Agregar archivo", 35, {270, 2895, 3135, 300}, Disabled, 0, ButtonFaceColor},
};
// clang-format on

} // namespace

ControlTable Controls() {
    return {std::begin(kControls), std::end(kControls)};
}

QString VisibleText(const char* caption) {
    QString text = QString::fromUtf8(caption);
    // "&&" stands for one "&"; a single "&" only marks the accelerator.
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text.at(i) == QLatin1Char('&'))
            text.remove(i, 1);
    return text;
}

QString AccessibleNameOf(const ControlSpec& definition) {
    if (definition.accessibleName)
        return QString::fromUtf8(definition.accessibleName);
    const QString caption = VisibleText(definition.caption);
    return caption.isEmpty() ? QString::fromUtf8(definition.toolTip) : caption;
}

} // namespace dazu::dialog
