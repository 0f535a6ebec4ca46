#include "UpDown.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOption>
#include <QStylePainter>

namespace dazu::dialog {

namespace {
// The delays of a held button elsewhere in Qt: a pause, then a steady pace.
constexpr int kFirstRepeatMs = 300;
constexpr int kRepeatMs = 50;
} // namespace

UpDown::UpDown(QWidget* parent)
    : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    connect(&repeat_, &QTimer::timeout, this, &UpDown::repeatStep);
}

void UpDown::setValue(int value) {
    const int bounded = qBound(kMinimum, value, kMaximum);
    if (bounded == value_)
        return;
    value_ = bounded;
    update();
    QAccessibleValueChangeEvent changed(this, value_); // a screen reader says the new value
    QAccessible::updateAccessibility(&changed);
    Q_EMIT valueChanged(value_);
}

QSize UpDown::sizeHint() const {
    const int width = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return {width, 2 * width};
}

UpDown::Arrow UpDown::arrowAt(const QPoint& position) const {
    if (!rect().contains(position))
        return Arrow::None;
    return position.y() < height() / 2 ? Arrow::Up : Arrow::Down;
}

QRect UpDown::arrowRect(Arrow arrow) const {
    const int half = height() / 2;
    return arrow == Arrow::Up ? QRect(0, 0, width(), half)
                              : QRect(0, half, width(), height() - half);
}

void UpDown::stepBy(int steps) {
    setValue(value_ + steps);
}

void UpDown::repeatStep() {
    repeat_.setInterval(kRepeatMs);
    if (overHeld_)
        stepBy(held_ == Arrow::Up ? 1 : -1);
}

void UpDown::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    for (const Arrow arrow : {Arrow::Up, Arrow::Down}) {
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = arrowRect(arrow);
        const bool sunken = held_ == arrow && overHeld_;
        button.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
        button.state |= sunken ? QStyle::State_Sunken : QStyle::State_Raised;
        painter.drawPrimitive(QStyle::PE_PanelButtonBevel, button);

        QStyleOption mark = button;
        const int inset = qMax(1, button.rect.height() / 5);
        mark.rect = button.rect.adjusted(inset, inset, -inset, -inset);
        if (sunken)
            mark.rect.translate(1, 1);
        if ((arrow == Arrow::Up && value_ == kMaximum) ||
            (arrow == Arrow::Down && value_ == kMinimum))
            mark.state &= ~QStyle::State_Enabled; // the bound: this arrow changes nothing
        painter.drawPrimitive(
            arrow == Arrow::Up ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, mark);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(1, 1, -1, -1);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

void UpDown::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || held_ != Arrow::None) {
        QWidget::mousePressEvent(event);
        return;
    }
    held_ = arrowAt(event->position().toPoint());
    overHeld_ = held_ != Arrow::None;
    if (!overHeld_)
        return;
    update();
    repeat_.start(kFirstRepeatMs);
    stepBy(held_ == Arrow::Up ? 1 : -1);
}

void UpDown::mouseMoveEvent(QMouseEvent* event) {
    const bool over = held_ != Arrow::None && arrowAt(event->position().toPoint()) == held_;
    if (over != overHeld_) {
        overHeld_ = over;
        update();
    }
}

void UpDown::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    repeat_.stop();
    held_ = Arrow::None;
    overHeld_ = false;
    update();
}

void UpDown::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        stepBy(1);
        break;
    case Qt::Key_Down:
        stepBy(-1);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace dazu::dialog
