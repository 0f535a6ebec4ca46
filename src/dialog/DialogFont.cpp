#include "DialogFont.h"

#include "Layout.h"

#include <cmath>
#include <limits>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStyle>
#include <vector>

namespace dazu::dialog {

namespace {

constexpr qreal kSmallestPointSize = 6.0;
constexpr qreal kPointStep = 0.5;
// The size of text the window was drawn for.
constexpr qreal kDesignPointSize = 8.0;
// Faces with narrower letters, tried in this order, widest first, where the platform's own
// face cannot reach the design's size: they fit more text into the same boxes. Debian ships
// them in fonts-dejavu-extra and fonts-liberation.
constexpr const char* kNarrowerFaces[] = {"DejaVu Sans Condensed", "Liberation Sans",
                                          "Liberation Sans Narrow"};

// The pixels a control leaves for its caption beside what the style draws around it.
int captionRoom(const ControlSpec& definition, const QStyle& style) {
    const int width = ToPixels(definition.twips.width);
    const auto metric = [&style](QStyle::PixelMetric m) { return style.pixelMetric(m); };
    switch (definition.kind) {
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

// How much the caption's room exceeds what it takes in this font: 1 or more when it fits.
qreal roomRatio(const ControlSpec& definition, const QFont& dialogFont, const QStyle& style) {
    const QString caption = VisibleText(definition.caption);
    if (caption.isEmpty() || definition.kind == ControlKind::TextBox)
        return std::numeric_limits<qreal>::infinity();
    QFont font = dialogFont;
    font.setBold(definition.traits & Bold);
    const QFontMetrics metrics(font);
    qreal ratio =
        qreal(captionRoom(definition, style)) / qMax(1, metrics.horizontalAdvance(caption));
    const bool oneLineHigh = definition.kind == ControlKind::Label ||
                             definition.kind == ControlKind::CheckBox ||
                             definition.kind == ControlKind::CommandButton;
    if (oneLineHigh)
        ratio = qMin(ratio, qreal(ToPixels(definition.twips.height)) / qMax(1, metrics.height()));
    return ratio;
}

qreal smallestRoomRatio(const QFont& font, const QStyle& style) {
    qreal smallest = std::numeric_limits<qreal>::infinity();
    for (const ControlSpec& definition : Controls())
        smallest = qMin(smallest, roomRatio(definition, font, style));
    return smallest;
}

// The largest size, no larger than the font's own, at which every caption fits in this face.
QFont fittingSize(const QFont& face, const QStyle& style) {
    QFont font = face;
    // QFontInfo gives the size in points also for a font that was given in pixels.
    const qreal ownSize = QFontInfo(face).pointSizeF();
    // Text grows in proportion to the point size, so one measurement at the font's own size
    // tells the largest size that can fit. Each size costs a font to load, so only that one
    // is checked, and the next smaller steps only where hinting rounds a width up.
    const qreal ratio = smallestRoomRatio(font, style);
    qreal size = ownSize;
    if (ratio < 1)
        size = std::floor(ownSize * ratio / kPointStep) * kPointStep;
    for (; size > kSmallestPointSize; size -= kPointStep) {
        font.setPointSizeF(size);
        if (size == ownSize ? ratio >= 1 : smallestRoomRatio(font, style) >= 1)
            return font;
    }
    font.setPointSizeF(kSmallestPointSize);
    return font;
}

} // namespace

QFont FittingDialogFont(const QFont& platformFont, const QStyle& style) {
    // Each face or size tried costs a font to load, the largest part of the window's start:
    // the platform's face is measured once at its own size, and a narrower face first at the
    // design's size, where the first one that fits is the answer. Only where none reaches
    // the design's size are the sizes below it searched.
    if (smallestRoomRatio(platformFont, style) >= 1)
        return platformFont;
    const qreal designSize = qMin(kDesignPointSize, QFontInfo(platformFont).pointSizeF());
    std::vector<QFont> narrower;
    for (const char* family : kNarrowerFaces) {
        QFont face = platformFont;
        face.setFamily(QString::fromLatin1(family));
        face.setPointSizeF(designSize);
        if (QFontInfo(face).family() != QLatin1String(family))
            continue; // not installed: the font database gave another face
        if (smallestRoomRatio(face, style) >= 1)
            return face;
        narrower.push_back(face);
    }
    QFont best = fittingSize(platformFont, style);
    for (const QFont& face : narrower) {
        const QFont fitted = fittingSize(face, style);
        if (QFontInfo(fitted).pointSizeF() > QFontInfo(best).pointSizeF())
            best = fitted;
    }
    return best;
}

} // namespace dazu::dialog
