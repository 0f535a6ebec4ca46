#include "KeyPress.h"

#include <QKeyEvent>
#include <QWidget>

namespace dazu::dialog {

KeyPressForwarder::KeyPressForwarder(QWidget* control, Handler handler)
    : QObject(control)
    , handler_(std::move(handler)) {
    control->installEventFilter(this);
}

bool KeyPressForwarder::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    QString typed = key->text();
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        typed = QString(QChar(13));
    else if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        typed.clear(); // moves the focus; types nothing
    for (const QChar character : typed) {
        // The handler gets its own copy: whatever it does to the code, the key goes on.
        auto keyAscii = static_cast<qint16>(character.unicode());
        handler_(keyAscii);
    }
    return false;
}

} // namespace dazu::dialog
