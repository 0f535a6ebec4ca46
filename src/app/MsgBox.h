#pragma once

#include <functional>
#include <QString>

namespace dazu::app {

// Message-box styles by their numbers: the icon of a box with one OK button.
enum MsgBoxStyle : int {
    vbCritical = 16,
    vbExclamation = 48,
    vbInformation = 64,
};

// Shows a modal message box with one OK button and waits until it is closed.
void MsgBox(const QString& prompt, int style, const QString& title);

// Tests answer the boxes themselves: a presenter replaces the real box until it is reset.
using MsgBoxPresenter = std::function<void(const QString& prompt, int style, const QString& title)>;
MsgBoxPresenter SetMsgBoxPresenter(MsgBoxPresenter presenter);

} // namespace dazu::app
