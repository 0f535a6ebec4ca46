#include "FolderChooser.h"
#include "ModFiles.h"

#include <QDir>

namespace dazu::files {

namespace {

// The hand-back buffer: the longest path the system takes (260), then its terminator.
constexpr qsizetype kPathBufferLength = 261;

FolderChooser& currentChooser() {
    static FolderChooser chooser = ChooseFolderWithDialog;
    return chooser;
}

} // namespace

FolderChooser SetFolderChooser(FolderChooser chooser) {
    FolderChooser previous = std::move(currentChooser());
    currentChooser() = chooser ? std::move(chooser) : FolderChooser(ChooseFolderWithDialog);
    return previous;
}

bool BrowseForFolder(QString& path, const QString& title) {
    const QUrl chosen = currentChooser()(title);
    if (chosen.isEmpty())
        return false; // cancelled: the path stays as it was
    path = QString(kPathBufferLength, QLatin1Char(' '));
    if (!chosen.isLocalFile())
        return false;
    const QString folder = QDir::toNativeSeparators(chosen.toLocalFile());
    // A longer path does not fit the buffer, and a cut one would name another folder.
    if (folder.isEmpty() || folder.size() >= kPathBufferLength)
        return false;
    path.replace(0, folder.size(), folder);
    path[folder.size()] = QChar(0);
    return true;
}

} // namespace dazu::files
