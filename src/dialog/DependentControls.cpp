// The handlers that keep controls in line with each other: the check boxes that govern text
// boxes, the spinner that writes the interval, and "..." that chooses the destination folder.
// They change controls only; the state they work on lives in the controls themselves.
#include "ModFiles.h"
#include "Platform.h"
#include "setup.h"
#include "SystemColor.h"
#include "UpDown.h"

#include <initializer_list>
#include <QCheckBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <stdexcept>

namespace {

QWidget* named(const setup& window, const char* name) {
    QWidget* control = window.control(QLatin1String(name));
    if (!control)
        throw std::logic_error(std::string("La ventana no tiene el control ") + name);
    return control;
}

// Enables the text boxes exactly when the check box is checked, then colours the captions by
// whether the first text box did become enabled. Returns that.
bool followCheckBox(const setup& window, const char* checkBox,
                    std::initializer_list<const char*> textBoxes,
                    std::initializer_list<const char*> captions) {
    for (const char* textBox : textBoxes) {
        const bool checked =
            qobject_cast<QCheckBox*>(named(window, checkBox))->checkState() != Qt::Unchecked;
        named(window, textBox)->setEnabled(checked);
    }
    const bool enabled = named(window, *textBoxes.begin())->isEnabled();
    for (const char* caption : captions)
        dazu::dialog::SetForeColor(named(window, caption),
                                   enabled ? dazu::dialog::COLOR_MENUTEXT
                                           : dazu::dialog::COLOR_INACTIVECAPTION);
    return enabled;
}

} // namespace

void setup::chkprogramapc_Click() {
    followCheckBox(*this, "chkprogramapc", {"Txtprogramapc"}, {"chkprogramapc"});
}

void setup::chkprogramatm_Click() {
    followCheckBox(*this, "chkprogramatm", {"txtprogramatm"}, {"chkprogramatm"});
}

// The joining group: both file boxes, their captions and the box itself, and the box that
// deletes the joined file, which keeps its check mark while disabled.
void setup::chkunirarchivos_Click() {
    const bool enabled =
        followCheckBox(*this, "chkunirarchivos", {"txtfilehost", "txtfiletoappend"},
                       {"lblfilehost", "Label3", "chkunirarchivos"});
    named(*this, "chkborrarfiletoappend")->setEnabled(enabled);
}

// Only this way: typing into the interval box does not move the spinner.
void setup::vscintervalo_Change() {
    const int interval = qobject_cast<dazu::dialog::UpDown*>(named(*this, "vscintervalo"))->value();
    qobject_cast<QLineEdit*>(named(*this, "txtintervalo"))->setText(QString::number(interval));
}

// The chooser hands the folder back in its fixed buffer: the path, a terminator, spaces.
// The destination always ends with exactly one separator, a root included.
void setup::Command1_Click() {
    QString path;
    if (!dazu::files::BrowseForFolder(
            path, QStringLiteral("Seleccione el directorio donde quiere dejar los archivos")))
        return;
    static const QRegularExpression outerSpaces(QStringLiteral("^ +| +$"));
    const QString terminated = path.remove(outerSpaces);
    QString folder = terminated.left(terminated.size() - 1);
    const QChar separator = dazu::files::PathSeparator();
    if (!folder.endsWith(separator))
        folder += separator;
    qobject_cast<QLineEdit*>(named(*this, "txtpathdest"))->setText(folder);
}
