#include "FocusRing.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QPainter>
#include <QTabBar>

namespace dazu::dialog {

namespace {

constexpr int kWidth = 2;

// The control that the user sees as focused: an editable combo box rather than its text
// field.
QWidget* shownAsFocused(QWidget* focused) {
    if (auto* combo = qobject_cast<QComboBox*>(focused->parentWidget()))
        return combo;
    return focused;
}

} // namespace

FocusRing::FocusRing(QWidget& window)
    : QWidget(&window)
    , window_(window) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { follow(now); });
}

void FocusRing::follow(QWidget* focused) {
    QWidget* target = focused && focused != &window_ && window_.isAncestorOf(focused)
                          ? shownAsFocused(focused)
                          : nullptr;
    if (target == target_)
        return;
    if (target_)
        target_->removeEventFilter(this);
    disconnect(tabChanged_);
    target_ = target;
    if (!target_) {
        hide();
        return;
    }
    target_->installEventFilter(this);
    auto* tabs = qobject_cast<QTabBar*>(target_);
    if (tabs) {
        // On a tab strip the focus is on the tab in front: the ring goes round that tab.
        setParent(tabs);
        tabChanged_ = connect(tabs, &QTabBar::currentChanged, this, &FocusRing::place);
    } else {
        // In the control's own container: the ring moves, hides and shows with its page.
        setParent(target_->parentWidget());
    }
    place();
}

void FocusRing::place() {
    if (auto* tabs = qobject_cast<QTabBar*>(target_.data()))
        setGeometry(tabs->tabRect(tabs->currentIndex()));
    else
        setGeometry(target_->geometry().adjusted(-kWidth, -kWidth, kWidth, kWidth));
    setVisible(target_->isVisible());
    raise();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    if (watched == target_) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            place();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor colour = palette().color(QPalette::Active, QPalette::Highlight);
    const QRect whole = rect();
    painter.fillRect(QRect(whole.left(), whole.top(), whole.width(), kWidth), colour);
    painter.fillRect(QRect(whole.left(), whole.bottom() - kWidth + 1, whole.width(), kWidth),
                     colour);
    painter.fillRect(QRect(whole.left(), whole.top(), kWidth, whole.height()), colour);
    painter.fillRect(QRect(whole.right() - kWidth + 1, whole.top(), kWidth, whole.height()),
                     colour);
}

} // namespace dazu::dialog
