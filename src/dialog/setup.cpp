#include "setup.h"

#include "Accessibility.h"
#include "CheckBox.h"
#include "DialogFont.h"
#include "FailurePath.h"
#include "FocusRing.h"
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

setup::setup(QWidget* parent)
    : QWidget(parent)
    , applicationDirectory_(dazu::files::ApplicationDirectory()) {
    Q_INIT_RESOURCE(dialog); // the icons live in a static library
    dazu::dialog::InstallAccessibleInterfaces();
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
    new dazu::dialog::FocusRing(*this);
    connectHandlers();
}

setup::~setup() = default;

void setup::setApplicationDirectory(const QString& directory) {
    applicationDirectory_ = directory;
}

bool setup::Form_Load() {
    return dazu::app::Guarded([this] {
        config_.emplace(dazu::app::RunStartup(applicationDirectory_));
        loadSettings();
    });
}

void setup::buildLayout() {
    controls_ = dazu::dialog::BuildControls(*this);
}

// The event each handler answers: a check box's change of state (a click, or code setting a
// different state), a button's click, the spinner's change of value, a character typed into
// an entry box of the file lists. Each runs guarded: a failure goes to the failure path.
void setup::connectHandlers() {
    const auto guarded = [this](void (setup::*handler)()) {
        return [this, handler] { dazu::app::Guarded([&] { (this->*handler)(); }); };
    };
    const auto& c = controls_;
    connect(c.chkprogramapc, &QCheckBox::toggled, this, guarded(&setup::chkprogramapc_Click));
    connect(c.chkprogramatm, &QCheckBox::toggled, this, guarded(&setup::chkprogramatm_Click));
    connect(c.chkunirarchivos, &QCheckBox::toggled, this, guarded(&setup::chkunirarchivos_Click));
    connect(c.vscintervalo, &dazu::dialog::UpDown::valueChanged, this,
            guarded(&setup::vscintervalo_Change));
    connect(c.Command1, &QPushButton::clicked, this, guarded(&setup::Command1_Click));
    connect(c.cmdsetup, &QPushButton::clicked, this, guarded(&setup::cmdsetup_Click));
    connect(c.cmdsetupcancelar, &QPushButton::clicked, this,
            guarded(&setup::cmdsetupcancelar_Click));
    connect(c.cmmagregar, &QPushButton::clicked, this, guarded(&setup::cmmagregar_Click));
    connect(c.cmmagregar2, &QPushButton::clicked, this, guarded(&setup::cmmagregar2_Click));
    connect(c.cmmborrar, &QPushButton::clicked, this, guarded(&setup::cmmborrar_Click));
    connect(c.cmmborrar2, &QPushButton::clicked, this, guarded(&setup::cmmborrar2_Click));

    const auto keyPress = [this](void (setup::*handler)(qint16&)) {
        return [this, handler](qint16& keyAscii) {
            dazu::app::Guarded([&] { (this->*handler)(keyAscii); });
        };
    };
    new dazu::dialog::KeyPressForwarder(c.txtfile, keyPress(&setup::txtfile_KeyPress));
    new dazu::dialog::KeyPressForwarder(c.txtfile2, keyPress(&setup::txtfile2_KeyPress));
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
