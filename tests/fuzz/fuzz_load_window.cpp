// Arbitrary bytes as DAZU.CFG through the window's load handler, as the program starts: the
// start-up sequence opens the database and writes the default row, then loading fills every
// control and both lists. Each input either loads, showing the window and no message, or
// fails with one box titled "DAZU" that gives a description, leaving the window hidden.
// Anything else, and every crash, hang, leak or undefined behaviour, is a finding.
#include "FailurePath.h"
#include "FuzzInput.h"
#include "MsgBox.h"
#include "setup.h"

#include <cstdio>
#include <cstdlib>
#include <QApplication>
#include <QStringList>

namespace {

QStringList& shown() {
    static QStringList boxes; // "title|style|prompt"
    return boxes;
}

[[noreturn]] void finding(const char* what) {
    std::fprintf(stderr, "%s; boxes shown: %s\n", what, qUtf8Printable(shown().join(u'\n')));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
    dazu::app::SetMsgBoxPresenter([](const QString& prompt, int style, const QString& title) {
        shown() << QStringLiteral("%1|%2|%3").arg(title).arg(style).arg(prompt);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dazu::test::StoreAsDatabase(data, size);
    shown().clear();
    setup window;
    window.setApplicationDirectory(QString::fromStdString(dazu::test::FuzzFolder().string()));
    if (window.Form_Load()) {
        if (!window.isVisible() || !shown().isEmpty())
            finding("loaded, but the window is hidden or a box was shown");
        return 0;
    }
    if (window.isVisible())
        finding("failed, but the window is shown");
    if (shown().size() != 1 || !shown().front().startsWith(QStringLiteral("DAZU|16|")) ||
        shown().front().size() == 8)
        finding("failed without exactly one box titled DAZU with a description");
    return 0;
}
