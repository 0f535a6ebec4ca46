#pragma once

#include <QTimer>
#include <QWidget>

namespace dazu::dialog {

// An up-down control: an up arrow above a down arrow that step a whole number within its
// range. It shows no number itself; whoever listens to valueChanged shows it. Holding an
// arrow repeats, and the arrow keys step it while it has the focus.
class UpDown : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMinimum = 0;
    static constexpr int kMaximum = 32000;

    explicit UpDown(QWidget* parent = nullptr);

    int value() const { return value_; }
    // Clamps into the range; valueChanged follows only a real change, from code or user.
    void setValue(int value);

    QSize sizeHint() const override;

Q_SIGNALS:
    void valueChanged(int value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Arrow { None, Up, Down };
    Arrow arrowAt(const QPoint& position) const;
    QRect arrowRect(Arrow arrow) const;
    void stepBy(int steps);
    void repeatStep();

    int value_ = kMinimum;
    Arrow held_ = Arrow::None; // the arrow the mouse went down on
    bool overHeld_ = false;    // whether the mouse is still over it
    QTimer repeat_;
};

} // namespace dazu::dialog
