#pragma once

#include "Layout.h"
#include "Startup.h"

#include <optional>
#include <QWidget>
#include <vector>

namespace dazu::dialog {
class FileListEditor;
}

// The settings window "DAZU - Configuración", the program's one window. Its load handler
// runs the start-up sequence and fills the controls before it is shown. The state of the
// window lives in its controls; the handlers read it back from them.
class setup : public QWidget {
    Q_OBJECT

public:
    explicit setup(QWidget* parent = nullptr);
    ~setup() override;

    // The load handler: the start-up sequence, then the settings into the controls; shows
    // the window. A failure goes to the failure path, leaves the window hidden and returns
    // false, so that the program ends before its event loop starts.
    bool Form_Load();

    // The folder that holds the program's files; tests point it at a temporary folder.
    void setApplicationDirectory(const QString& directory);

    // The controls as the layout created them.
    const dazu::dialog::WindowControls& controls() const { return controls_; }

    // Saving and closing.
    void cmdsetup_Click();
    void cmdsetupcancelar_Click();

    // The two file-list editors.
    void cmmagregar_Click();
    void cmmagregar2_Click();
    void txtfile_KeyPress(qint16& KeyAscii);
    void txtfile2_KeyPress(qint16& KeyAscii);
    void cmmborrar_Click();
    void cmmborrar2_Click();

    // Dependent controls and the destination folder.
    void chkprogramapc_Click();
    void chkprogramatm_Click();
    void chkunirarchivos_Click();
    void vscintervalo_Change();
    void Command1_Click();

private:
    void showEvent(QShowEvent* event) override;
    void buildLayout();
    void connectHandlers();
    void loadSettings();
    // The open database with its tables; throws while the start-up sequence has not run.
    dazu::config::Configuration& tables();
    dazu::dialog::FileListEditor handHeldToPcEditor();
    dazu::dialog::FileListEditor pcToHandHeldEditor();

    QString applicationDirectory_;
    // What loading showed of each setting, in the order of kSettingsMapping (Null where a
    // missing value was shown as empty text): "&Aceptar" stores only the settings that differ.
    std::vector<dazu::config::Variant> shown_;
    dazu::dialog::WindowControls controls_;
    std::optional<dazu::app::OpenedConfiguration> config_;
};
