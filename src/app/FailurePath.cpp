#include "FailurePath.h"

#include "MsgBox.h"

#include <cstdlib>
#include <QCoreApplication>

namespace dazu::app {

void Fail(const QString& description) {
    MsgBox(description, vbCritical, QStringLiteral("DAZU"));
    // Ends a running event loop; before it runs, the load handler tells main.
    QCoreApplication::exit(EXIT_FAILURE);
}

QString DescriptionOf(const std::exception& error) {
    return QString::fromUtf8(error.what());
}

} // namespace dazu::app
