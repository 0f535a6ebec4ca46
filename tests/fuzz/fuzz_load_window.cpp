// Arbitrary bytes as DAZU.CFG through the window's load handler, as the program starts: the
// start-up sequence opens the database and its tables and writes the default row, then
// loading reads every field into its control and both lists in "FILE" index order. Each input
// either loads, showing the window and no message, or fails with one box titled "DAZU" that
// gives a description, leaving the window hidden. Anything else, and every crash, hang, leak
// or undefined behaviour, is a finding.
#include "MsgBox.h"
#include "setup.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <QApplication>
#include <QStringList>
#include <QTemporaryDir>

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
    // The application folder of the whole run, removed when the fuzzer ends normally. Each
    // input is alone in it: no journal of an earlier input is left to be rolled into it.
    static const QTemporaryDir folder;
    const std::string path = folder.path().toStdString() + "/DAZU.CFG";
    for (const char* companion : {"-journal", "-wal", "-shm"})
        std::remove((path + companion).c_str());
    if (!std::ofstream(path, std::ios::binary)
             .write(reinterpret_cast<const char*>(data), std::streamsize(size)))
        std::abort();
    shown.clear();
    setup window;
    window.setApplicationDirectory(folder.path());
    const bool loaded = window.Form_Load();
    const bool described =
        shown.size() == 1 && shown[0].startsWith(QStringLiteral("DAZU|16|")) && shown[0].size() > 8;
    if (loaded ? !window.isVisible() || !shown.isEmpty() : window.isVisible() || !described)
        qFatal("loaded %d, shown %d, boxes: %s", loaded, window.isVisible(),
               qUtf8Printable(shown.join(u'\n')));
    return 0;
}
