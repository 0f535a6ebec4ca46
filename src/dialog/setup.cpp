#include "setup.h"

#include "DialogFont.h"
#include "FailurePath.h"
#include "KeyPress.h"
#include "Layout.h"
#include "LayoutBuilder.h"
#include "Platform.h"
#include "UpDown.h"

#include <QApplication>
#include <QCheckBox>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

namespace {

// The event each handler answers: a check box's change of state (a click, or code setting
// a different state), a button's click, the spinner's change of value.
struct EventHandler {
    const char* control;
    void (setup::*handler)();
};
const EventHandler kEventHandlers[] = {
    {"chkprogramapc", &setup::chkprogramapc_Click},
    {"chkprogramatm", &setup::chkprogramatm_Click},
    {"chkunirarchivos", &setup::chkunirarchivos_Click},
    {"vscintervalo", &setup::vscintervalo_Change},
    {"Command1", &setup::Command1_Click},
    {"cmdsetup", &setup::cmdsetup_Click},
    {"cmdsetupcancelar", &setup::cmdsetupcancelar_Click},
    {"cmmagregar", &setup::cmmagregar_Click},
    {"cmmagregar2", &setup::cmmagregar2_Click},
    {"cmmborrar", &setup::cmmborrar_Click},
    {"cmmborrar2", &setup::cmmborrar2_Click},
};

// Characters typed into the entry boxes of the file lists.
struct KeyPressHandler {
    const char* control;
    void (setup::*handler)(qint16&);
};
const KeyPressHandler kKeyPressHandlers[] = {
    {"txtfile", &setup::txtfile_KeyPress},
    {"txtfile2", &setup::txtfile2_KeyPress},
};

} // namespace

setup::setup(QWidget* parent)
    : QWidget(parent)
    , applicationDirectory_(dazu::files::ApplicationDirectory()) {
    Q_INIT_RESOURCE(dialog); // the icons live in a static library
    setObjectName(QStringLiteral("setup"));
    setWindowTitle(QString::fromUtf8(dazu::dialog::kWindowCaption));
    // A fixed dialog: title, system menu and close box, nothing to minimize or maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    QIcon icon;
    icon.addFile(QStringLiteral(":/dialog/icons/dazu-16.png"));
    icon.addFile(QStringLiteral(":/dialog/icons/dazu-32.png"));
    setWindowIcon(icon);
    setFixedSize(dazu::dialog::ToPixels(dazu::dialog::kClientArea).size());
    setFont(dazu::dialog::FittingDialogFont(QApplication::font(this), *style()));
    buildLayout();
    connectHandlers();
}

setup::~setup() = default;

void setup::setApplicationDirectory(const QString& directory) {
    applicationDirectory_ = directory;
}

void setup::Form_Load() {
    dazu::app::Guarded([this] {
        config_.emplace(dazu::app::RunStartup(applicationDirectory_));
        loadSettings();
    });
}

void setup::buildLayout() {
    controls_ = dazu::dialog::BuildControls(*this);
}

void setup::connectHandlers() {
    for (const auto& [name, handler] : kEventHandlers) {
        const auto run = [this, handler = handler] {
            dazu::app::Guarded([&] { (this->*handler)(); });
        };
        QWidget* source = control(QLatin1String(name));
        if (auto* box = qobject_cast<QCheckBox*>(source))
            connect(box, &QCheckBox::toggled, this, run);
        else if (auto* button = qobject_cast<QPushButton*>(source))
            connect(button, &QPushButton::clicked, this, run);
        else if (auto* spinner = qobject_cast<dazu::dialog::UpDown*>(source))
            connect(spinner, &dazu::dialog::UpDown::valueChanged, this, run);
    }
    for (const auto& [name, handler] : kKeyPressHandlers)
        new dazu::dialog::KeyPressForwarder(
            control(QLatin1String(name)), [this, handler = handler](qint16& keyAscii) {
                dazu::app::Guarded([&] { (this->*handler)(keyAscii); });
            });
}

// Centred on its screen each time it is shown by the program. The show event comes before
// the window appears, so it never shows anywhere else first.
void setup::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        const QRect area =
            (screen() ? screen() : QGuiApplication::primaryScreen())->availableGeometry();
        QRect frame = frameGeometry();
        frame.moveCenter(area.center());
        move(frame.topLeft());
    }
    QWidget::showEvent(event);
}
