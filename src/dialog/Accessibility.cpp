#include "Accessibility.h"

#include "UpDown.h"

#include <QAccessibleWidget>

namespace dazu::dialog {

namespace {

// The spinner as a spin button whose value a screen reader reads, and sets for its user.
class AccessibleUpDown : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleUpDown(UpDown* spinner)
        : QAccessibleWidget(spinner, QAccessible::SpinBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Value)
            return QString::number(spinner()->value());
        return QAccessibleWidget::text(type);
    }

    QVariant currentValue() const override { return spinner()->value(); }
    // Goes through setValue as a click on an arrow does, so the interval box follows.
    void setCurrentValue(const QVariant& value) override { spinner()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return UpDown::kMaximum; }
    QVariant minimumValue() const override { return UpDown::kMinimum; }
    QVariant minimumStepSize() const override { return 1; }

private:
    UpDown* spinner() const { return static_cast<UpDown*>(widget()); }
};

// The program's window is a plain widget, which Qt offers as a mere "filler"; a reader
// announces a dialog by its title when it opens.
constexpr const char* kWindowClass = "setup";

QAccessibleInterface* accessibleInterface(const QString& key, QObject* object) {
    if (auto* spinner = qobject_cast<UpDown*>(object))
        return new AccessibleUpDown(spinner);
    if (key == QLatin1String(kWindowClass) && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Dialog);
    return nullptr;
}

} // namespace

void InstallAccessibleInterfaces() {
    static const bool installed = [] {
        QAccessible::installFactory(&accessibleInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace dazu::dialog
