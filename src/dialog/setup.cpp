#include "setup.h"

#include "FailurePath.h"
#include "Platform.h"

setup::setup(QWidget* parent)
    : QWidget(parent)
    , applicationDirectory_(dazu::files::ApplicationDirectory()) {
    setObjectName(QStringLiteral("setup"));
    setWindowTitle(QStringLiteral("DAZU - Configuración"));
}

setup::~setup() = default;

void setup::setApplicationDirectory(const QString& directory) { applicationDirectory_ = directory; }

void setup::Form_Load() {
    dazu::app::Guarded([this] {
        config_.emplace(dazu::app::RunStartup(applicationDirectory_));
        show();
    });
}
