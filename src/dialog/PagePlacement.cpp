#include "PagePlacement.h"

#include <QEvent>
#include <QTabWidget>

namespace dazu::dialog {

PagePlacement::PagePlacement(QTabWidget* tabs)
    : QObject(tabs) {}

void PagePlacement::keep(QWidget* frame, const QRect& placeOnTabControl) {
    // The pages sit in the tab control's page stack, which moves when the strip changes.
    // Installing the filter again only moves it to the front.
    frame->parentWidget()->parentWidget()->installEventFilter(this);
    frames_.emplace_back(frame, placeOnTabControl);
    place(frame, placeOnTabControl);
}

void PagePlacement::place(QWidget* frame, const QRect& placeOnTabControl) const {
    const QWidget* page = frame->parentWidget();
    const QWidget* stack = page->parentWidget();
    // A page fills the stack's contents, also while it is hidden and not yet laid out.
    const QPoint pageOrigin = stack->pos() + stack->contentsRect().topLeft();
    frame->setGeometry(placeOnTabControl.translated(-pageOrigin));
}

bool PagePlacement::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        for (const auto& [frame, placeOnTabControl] : frames_)
            if (frame)
                place(frame, placeOnTabControl);
    return false;
}

} // namespace dazu::dialog
