#include "MsgBox.h"

#include <QApplication>
#include <QMessageBox>
#include <utility>

namespace dazu::app {

namespace {

QMessageBox::Icon iconOf(int style) {
    switch (style & 0x70) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    case 32:
        return QMessageBox::Question;
    default:
        return QMessageBox::NoIcon;
    }
}

void showRealBox(const QString& prompt, int style, const QString& title) {
    // Owned by the active window so that it stays in front of it and is centred over it.
    QMessageBox box(iconOf(style), title, prompt, QMessageBox::Ok, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("MsgBox"));
    box.exec();
}

MsgBoxPresenter& presenter() {
    static MsgBoxPresenter current;
    return current;
}

} // namespace

void MsgBox(const QString& prompt, int style, const QString& title) {
    if (presenter())
        presenter()(prompt, style, title);
    else
        showRealBox(prompt, style, title);
}

MsgBoxPresenter SetMsgBoxPresenter(MsgBoxPresenter replacement) {
    return std::exchange(presenter(), std::move(replacement));
}

} // namespace dazu::app
