#include "Platform.h"

#include <QCoreApplication>
#include <QDir>

namespace dazu::files {

// Qt reports the folder with forward slashes everywhere; the program joins file names with
// the platform's own separator, so the folder is given in native form too.
QString ApplicationDirectory() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

} // namespace dazu::files
