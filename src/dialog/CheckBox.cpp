#include "CheckBox.h"

#include <QStyleOption>
#include <QStylePainter>

namespace dazu::dialog {

CheckBox::CheckBox(QWidget* parent, bool squareAtRight)
    : QCheckBox(parent)
    , squareAtRight_(squareAtRight) {}

void CheckBox::paintEvent(QPaintEvent* event) {
    if (squareAtRight_)
        paintSquareAtRight();
    else
        QCheckBox::paintEvent(event);
}

void CheckBox::paintSquareAtRight() {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect whole = option.rect;

    const QSize square(style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, this),
                       style()->pixelMetric(QStyle::PM_IndicatorHeight, &option, this));
    QStyleOptionButton indicator = option;
    indicator.rect = QRect(QPoint(whole.right() - square.width() + 1,
                                  whole.top() + (whole.height() - square.height()) / 2),
                           square);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

    const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    QStyleOptionButton label = option;
    label.rect = whole.adjusted(0, 0, -(square.width() + spacing), 0);
    painter.drawControl(QStyle::CE_CheckBoxLabel, label);

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = style()
                         ->itemTextRect(fontMetrics(), label.rect,
                                        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                                        isEnabled(), text())
                         .adjusted(-1, 0, 1, 0);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool CheckBox::hitButton(const QPoint& position) const {
    return rect().contains(position);
}

} // namespace dazu::dialog
