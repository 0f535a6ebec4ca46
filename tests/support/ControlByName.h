#pragma once

#include <QWidget>

namespace dazu::test {

// A control of the window found as a person or a screen reader finds it, by its object name;
// nullptr when the window has no such control or it is of another class.
template <typename T = QWidget> T* Control(const QWidget& window, const QString& name) {
    return window.findChild<T*>(name);
}
template <typename T = QWidget> T* Control(const QWidget& window, const char* name) {
    return Control<T>(window, QString::fromLatin1(name));
}

} // namespace dazu::test
