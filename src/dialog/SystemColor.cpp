#include "SystemColor.h"

#include "SystemColorValue.h"

#include <QApplication>
#include <QEvent>
#include <QVariant>
#include <QWidget>

namespace dazu::dialog {

namespace {

const char* const kForeColor = "ForeColor";
const char* const kBackColor = "BackColor";

quint32 referenceOf(const QWidget* control, const char* property) {
    return control->property(property).value<quint32>();
}

// Resolves the control's references against the palette it would have without them. A
// disabled control keeps the style's disabled text, as it would with a fixed colour; its
// background keeps the reference in every state.
void applyReferences(QWidget* control) {
    const QPalette source = QApplication::palette(control);
    // Only the referenced roles are set: the others go on following the scheme.
    QPalette palette;
    if (const quint32 fore = referenceOf(control, kForeColor)) {
        const QColor colour = SystemColorValue(fore, source, control->foregroundRole());
        for (const auto group : {QPalette::Active, QPalette::Inactive})
            palette.setColor(group, control->foregroundRole(), colour);
    }
    if (const quint32 back = referenceOf(control, kBackColor))
        palette.setColor(control->backgroundRole(),
                         SystemColorValue(back, source, control->backgroundRole()));
    control->setPalette(palette); // no change event when nothing changed, so no loop
}

// Resolves a control's references again whenever it is drawn and whenever the colour scheme
// or its palette changes.
class ReferenceKeeper : public QObject {
public:
    explicit ReferenceKeeper(QWidget* control)
        : QObject(control) {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::ApplicationPaletteChange:
        case QEvent::PaletteChange:
        case QEvent::StyleChange:
        // A change of a system colour that no palette role follows reaches only the window,
        // which is then drawn again: the control resolves its references as it is drawn.
        case QEvent::Paint:
            applyReferences(static_cast<QWidget*>(watched));
            break;
        default:
            break;
        }
        return false;
    }
};

void setReference(QWidget* control, const char* property, quint32 colour) {
    // The first reference a control gets brings its keeper.
    if (!control->property(kForeColor).isValid() && !control->property(kBackColor).isValid())
        new ReferenceKeeper(control);
    control->setProperty(property, QVariant::fromValue(colour));
    applyReferences(control);
}

} // namespace

void SetForeColor(QWidget* control, quint32 colour) {
    setReference(control, kForeColor, colour);
}
quint32 ForeColor(const QWidget* control) {
    return referenceOf(control, kForeColor);
}
void SetBackColor(QWidget* control, quint32 colour) {
    setReference(control, kBackColor, colour);
}
quint32 BackColor(const QWidget* control) {
    return referenceOf(control, kBackColor);
}

} // namespace dazu::dialog
