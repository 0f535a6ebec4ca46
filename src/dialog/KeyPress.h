#pragma once

#include <functional>
#include <QObject>

class QWidget;

namespace dazu::dialog {

// Reports every character typed into a control as its character code before the control
// takes it; Enter counts as code 13. The key always goes on to the control.
class KeyPressForwarder : public QObject {
public:
    using Handler = std::function<void(qint16& keyAscii)>;
    KeyPressForwarder(QWidget* control, Handler handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler handler_;
};

} // namespace dazu::dialog
