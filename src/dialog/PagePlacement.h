#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <vector>

class QTabWidget;

namespace dazu::dialog {

// Keeps the frames on the pages of a tab control where the design puts them: measured from
// the tab control's own top-left corner, whatever height the style gives its tab strip.
class PagePlacement : public QObject {
public:
    explicit PagePlacement(QTabWidget* tabs);

    // A frame on one of the pages, with its place relative to the tab control.
    void keep(QWidget* frame, const QRect& placeOnTabControl);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place(QWidget* frame, const QRect& placeOnTabControl) const;

    std::vector<std::pair<QPointer<QWidget>, QRect>> frames_;
};

} // namespace dazu::dialog
