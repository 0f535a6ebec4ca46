#pragma once

#include "Startup.h"

#include <QHash>
#include <QWidget>
#include <optional>

// The settings window "DAZU - Configuración", the program's one window. Its load handler
// runs the start-up sequence and fills the controls before it is shown. The state of the
// window lives in its controls; the handlers read it back from them.
class setup : public QWidget {
    Q_OBJECT

public:
    explicit setup(QWidget* parent = nullptr);
    ~setup() override;

    // The load handler: the start-up sequence, then the settings into the controls; shows
    // the window. A failure goes to the failure path and leaves the window hidden.
    void Form_Load();

    // The folder that holds the program's files; tests point it at a temporary folder.
    void setApplicationDirectory(const QString& directory);

    // A control by its name, as the layout created it; nullptr for an unknown name.
    QWidget* control(const QString& name) const { return controls_.value(name); }
    template <typename T> T* control(const char* name) const {
        return qobject_cast<T*>(control(QLatin1String(name)));
    }

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

    QString applicationDirectory_;
    QHash<QString, QWidget*> controls_;
    std::optional<dazu::app::OpenedConfiguration> config_;
};
