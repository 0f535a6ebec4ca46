// Arbitrary bytes as DAZU.CFG through the window's load handler, as the program starts: the
// start-up sequence opens the database and writes the default row, then loading fills every
// control and both lists. Each input either loads, showing the window and no message, or
// fails with one box titled "DAZU" that gives a description, leaving the window hidden.
// Anything else, and every crash, hang, leak or undefined behaviour, is a finding.
#include "FuzzInput.h"
#include "MsgBox.h"
#include "setup.h"

#include <QApplication>
#include <QStringList>

static QStringList shown; // the boxes of one input, as "title|style|prompt"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
    dazu::app::SetMsgBoxPresenter([](const QString& prompt, int style, const QString& title) {
        shown << QStringLiteral("%1|%2|%3").arg(title).arg(style).arg(prompt);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StoreAsDatabase(data, size);
    shown.clear();
    setup window;
    window.setApplicationDirectory(FuzzFolder());
    const bool loaded = window.Form_Load();
    const bool described =
        shown.size() == 1 && shown[0].startsWith(QStringLiteral("DAZU|16|")) && shown[0].size() > 8;
    if (loaded ? !window.isVisible() || !shown.isEmpty() : window.isVisible() || !described)
        qFatal("loaded %d, shown %d, boxes: %s", loaded, window.isVisible(),
               qUtf8Printable(shown.join(u'\n')));
    return 0;
}
