#pragma once

#include <QCheckBox>

namespace dazu::dialog {

// A check box that takes a click anywhere on it, as the system's own check boxes do, not
// only on its square and caption. With its square at the right end, the caption stands at
// the left edge and the square lines up with the column the box reaches into.
class CheckBox : public QCheckBox {
public:
    explicit CheckBox(QWidget* parent, bool squareAtRight = false);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& position) const override;

private:
    void paintSquareAtRight();

    bool squareAtRight_;
};

} // namespace dazu::dialog
