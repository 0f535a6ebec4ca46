#pragma once

#include <QPointer>
#include <QWidget>

namespace dazu::dialog {

// A ring around whichever control of the window has the keyboard focus, drawn the same way
// for every kind of control: two pixels of the selection colour just outside the control,
// where they stand out against the page (at least 3:1 in the usual colour schemes). Some
// styles mark the focus faintly or only after the keyboard was first used, and not at all
// on a tab strip or an empty list; the ring shows it from the start. Lives in the window,
// follows the focus, and lets the mouse through.
class FocusRing : public QWidget {
public:
    explicit FocusRing(QWidget& window);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow(QWidget* focused);
    void place();

    QWidget& window_;
    QPointer<QWidget> target_;
    QMetaObject::Connection tabChanged_;
};

} // namespace dazu::dialog
