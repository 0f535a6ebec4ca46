#include "DialogFont.h"

#include "Layout.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QStyle>

namespace dazu::dialog {

namespace {

constexpr qreal kSmallestPointSize = 6.0;
constexpr qreal kPointStep = 0.5;

// The pixels a control leaves for its caption beside what the style draws around it.
int captionRoom(const ControlSpec& spec, const QStyle& style) {
    const int width = ToPixels(spec.twips.width);
    const auto metric = [&style](QStyle::PixelMetric m) { return style.pixelMetric(m); };
    switch (spec.kind) {
    case ControlKind::CheckBox:
        // Qt keeps a few pixels of margin beside a check box's label.
        return width - metric(QStyle::PM_IndicatorWidth) - metric(QStyle::PM_CheckBoxLabelSpacing) -
               4;
    case ControlKind::CommandButton:
        return width - 2 * metric(QStyle::PM_ButtonMargin);
    case ControlKind::ComboBox:
        return width - metric(QStyle::PM_ScrollBarExtent) -
               2 * metric(QStyle::PM_ComboBoxFrameWidth) - 4;
    case ControlKind::Frame:
        return width - 4 * metric(QStyle::PM_DefaultFrameWidth) - 8;
    default:
        return width;
    }
}

bool captionFits(const ControlSpec& spec, const QFont& dialogFont, const QStyle& style) {
    const QString caption = VisibleText(spec.caption);
    if (caption.isEmpty() || spec.kind == ControlKind::TextBox)
        return true;
    QFont font = dialogFont;
    font.setBold(spec.traits & Bold);
    const QFontMetrics metrics(font);
    const bool oneLineHigh = spec.kind == ControlKind::Label ||
                             spec.kind == ControlKind::CheckBox ||
                             spec.kind == ControlKind::CommandButton;
    return metrics.horizontalAdvance(caption) <= captionRoom(spec, style) &&
           (!oneLineHigh || metrics.height() <= ToPixels(spec.twips.height));
}

bool everyCaptionFits(const QFont& font, const QStyle& style) {
    for (const ControlSpec& spec : Controls())
        if (!captionFits(spec, font, style))
            return false;
    return true;
}

} // namespace

QFont FittingDialogFont(const QFont& platformFont, const QStyle& style) {
    QFont font = platformFont;
    // QFontInfo gives the size in points also for a font that was given in pixels.
    const qreal platformSize = QFontInfo(platformFont).pointSizeF();
    for (qreal size = platformSize; size > kSmallestPointSize; size -= kPointStep) {
        font.setPointSizeF(size);
        if (everyCaptionFits(font, style))
            return font;
    }
    font.setPointSizeF(kSmallestPointSize);
    return font;
}

} // namespace dazu::dialog
