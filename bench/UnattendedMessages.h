#pragma once

#include "MsgBox.h"

#include <cstdio>
#include <QString>

namespace dazu::bench {

// How many messages the window has shown since the presenter below was set.
inline int& MessagesShown() {
    static int shown = 0;
    return shown;
}

// The benchmark runs with nobody at the screen: a message box would wait for ever, so every
// message goes to standard error instead, and is counted: a message means the run did not
// measure what it meant to.
inline void ReportMessagesOnStandardError() {
    app::SetMsgBoxPresenter([](const QString& prompt, int, const QString& title) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(prompt));
        ++MessagesShown();
    });
}

} // namespace dazu::bench
