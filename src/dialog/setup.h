#pragma once

#include "Startup.h"

#include <QWidget>
#include <optional>

// The settings window "DAZU - Configuración", the program's one window. Its load handler
// runs the start-up sequence and fills the controls before it is shown.
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

private:
    QString applicationDirectory_;
    std::optional<dazu::app::OpenedConfiguration> config_;
};
