// Without the Windows shell, Qt's folder dialog plays its part.
#include "FolderChooser.h"

#include <QDir>
#include <QFileDialog>

namespace dazu::files {

QUrl ChooseFolderWithDialog(const QString& title) {
    // No supported schemes named: places without a file-system path may be chosen too. The
    // tree starts at its top, the root.
    return QFileDialog::getExistingDirectoryUrl(
        nullptr, title, QUrl::fromLocalFile(QDir::rootPath()), QFileDialog::ShowDirsOnly);
}

} // namespace dazu::files
