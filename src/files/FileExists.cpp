#include "ModFiles.h"
#include "Platform.h"

namespace dazu::files {

namespace {
// Only spaces are trimmed: a tab or a newline is part of the name.
QString trimSpaces(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}
} // namespace

bool FileExists(const QString& path) noexcept {
    try {
        const QString name = trimSpaces(path);
        if (name.isEmpty() || name.endsWith(PathSeparator()))
            return false;
        return IsNormalFile(name);
    } catch (...) {
        return false;
    }
}

} // namespace dazu::files
