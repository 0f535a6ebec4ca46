#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

namespace dazu::bench {

// Ends the event loop once the watched window has been painted for the first time, the
// moment a user would see it. The paint itself goes on: the loop only ends after the window
// and its children have been drawn and flushed to the display.
class QuitOnFirstPaint : public QObject {
public:
    explicit QuitOnFirstPaint(QWidget& window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QCoreApplication::exit(0);
        }
        return false;
    }
};

} // namespace dazu::bench
