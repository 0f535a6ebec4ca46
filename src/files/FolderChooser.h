#pragma once

#include <functional>
#include <QString>
#include <QUrl>

// The folder chooser behind BrowseForFolder, replaceable so that tests can answer it.
namespace dazu::files {

// Shows a chooser with the title and returns the folder chosen: a local file URL for a
// file-system folder, another URL for a place without a file-system path, and an empty URL
// when the user cancelled.
using FolderChooser = std::function<QUrl(const QString& title)>;

// The system's folder picker (the shell's on Windows, Qt's dialog elsewhere): no owner, opened
// at the top of the folder tree, any item selectable.
QUrl ChooseFolderWithDialog(const QString& title);

// Puts a chooser in place of the current one and returns that one; an empty chooser puts
// the dialog back.
FolderChooser SetFolderChooser(FolderChooser chooser);

} // namespace dazu::files
