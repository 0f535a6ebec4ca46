// The shell's own folder picker, through its ANSI entry points.
#include "FolderChooser.h"

#include <algorithm>
#include <iterator>
#include <QByteArray>
// <windows.h> must come before the shell's header.
// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

namespace dazu::files {

namespace {
// What the shell hands back for an item that has no file-system path.
const QUrl kVirtualItem(QStringLiteral("shell:virtual"));
} // namespace

QUrl ChooseFolderWithDialog(const QString& title) {
    const QByteArray ansiTitle = title.toLocal8Bit();
    char displayName[MAX_PATH] = {}; // the shell writes the item's name here; it is not used

    BROWSEINFOA record{};
    record.hwndOwner = nullptr; // no owner window
    record.pidlRoot = nullptr;  // the tree starts at the desktop
    record.pszDisplayName = displayName;
    record.lpszTitle = ansiTitle.constData();
    record.ulFlags = 0;    // any item may be chosen, also a virtual one
    record.lpfn = nullptr; // no callback: nothing is preselected
    record.lParam = 0;
    record.iImage = 0;

    LPITEMIDLIST item = SHBrowseForFolderA(&record);
    if (!item)
        return QUrl(); // cancelled
    // MAX_PATH characters and the terminator, filled with spaces before the shell writes.
    char buffer[MAX_PATH + 1];
    std::fill(std::begin(buffer), std::end(buffer), ' ');
    const bool hasPath = SHGetPathFromIDListA(item, buffer) != FALSE;
    CoTaskMemFree(item);
    if (!hasPath)
        return kVirtualItem;
    return QUrl::fromLocalFile(QString::fromLocal8Bit(buffer));
}

} // namespace dazu::files
