#include "LayoutBuilder.h"

#include "CheckBox.h"
#include "Layout.h"
#include "ListBox.h"
#include "PagePlacement.h"
#include "SystemColor.h"
#include "UpDown.h"

#include <algorithm>
#include <limits>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <vector>

namespace dazu::dialog {

namespace {

// Text boxes and editable combo boxes take a text of any length: a stored path or name longer
// than Qt's default limit of 32767 characters must reach the screen, and "&Aceptar", whole.
constexpr int kNoLengthLimit = std::numeric_limits<int>::max();

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QTabWidget* createTabControl(QWidget* container) {
    auto* tabs = new QTabWidget(container);
    for (const char* caption : kTabCaptions)
        tabs->addTab(new QWidget, text(caption));
    tabs->setCurrentIndex(kFrontTabAsDesigned);
    return tabs;
}

QWidget* createCheckBox(const ControlSpec& definition, QWidget* container) {
    auto* box = new CheckBox(container, definition.traits & CheckAtRight);
    box->setText(text(definition.caption));
    box->setChecked(definition.traits & Checked);
    if (definition.traits & Bold) {
        QFont bold; // only the weight: family and size still come from the window
        bold.setWeight(QFont::Bold);
        box->setFont(bold);
    }
    return box;
}

// Editable, unsorted and without choices; the text starts as the box's own description.
QWidget* createComboBox(const ControlSpec& definition, QWidget* container) {
    auto* combo = new QComboBox(container);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert); // Enter does not add the typed text
    combo->setEditText(text(definition.caption));
    combo->lineEdit()->setMaxLength(kNoLengthLimit);
    return combo;
}

QWidget* createTextBox(const ControlSpec& definition, QWidget* container) {
    auto* box = new QLineEdit(text(definition.caption), container);
    box->setMaxLength(kNoLengthLimit);
    return box;
}

// Enter presses a button only while it has the focus; no button answers Enter elsewhere.
QWidget* createCommandButton(const ControlSpec& definition, QWidget* container) {
    auto* button = new QPushButton(text(definition.caption), container);
    button->setAutoDefault(true);
    return button;
}

QWidget* create(const ControlSpec& definition, QWidget* container) {
    switch (definition.kind) {
    case ControlKind::TabControl:
        return createTabControl(container);
    case ControlKind::Frame:
        return new QGroupBox(text(definition.caption), container);
    case ControlKind::Label:
        return new QLabel(text(definition.caption), container); // flat, the page shows through
    case ControlKind::CheckBox:
        return createCheckBox(definition, container);
    case ControlKind::TextBox:
        return createTextBox(definition, container);
    case ControlKind::ComboBox:
        return createComboBox(definition, container);
    case ControlKind::ListBox:
        return new ListBox(container);
    case ControlKind::CommandButton:
        return createCommandButton(definition, container);
    case ControlKind::UpDown:
        return new UpDown(container);
    }
    return nullptr;
}

// Labels and frames take no focus; Qt passes over hidden and disabled controls by itself.
struct Created {
    const ControlSpec* definition;
    QWidget* widget;
};

void chainFocusByTabIndex(std::vector<Created> order) {
    std::sort(order.begin(), order.end(), [](const Created& a, const Created& b) {
        return a.definition->tabIndex < b.definition->tabIndex;
    });
    QWidget* previous = nullptr;
    for (const auto& [definition, widget] : order) {
        if (widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

} // namespace

WindowControls BuildControls(QWidget& window) {
    WindowControls controls{};
    std::vector<Created> created;
    QHash<QTabWidget*, PagePlacement*> placements;
    for (const ControlSpec& definition : Controls()) {
        // Every container comes before the controls it holds, so its member is set by now.
        QWidget* container = &window;
        QTabWidget* tabs = nullptr;
        if (definition.container.frame)
            container = controls.*definition.container.frame;
        if (definition.container.tabs) {
            tabs = controls.*definition.container.tabs;
            container = tabs->widget(definition.container.page);
        }

        QWidget* widget = create(definition, container);
        widget->setObjectName(QLatin1String(definition.name));
        widget->setToolTip(text(definition.toolTip));
        widget->setAccessibleName(AccessibleNameOf(definition));
        // Item views offer no tool tip to a screen reader: each control says it itself.
        widget->setAccessibleDescription(text(definition.toolTip));
        if (definition.labelledBy)
            (controls.*definition.labelledBy)->setBuddy(widget);
        widget->setEnabled(!(definition.traits & Disabled));
        if (definition.foreColor)
            SetForeColor(widget, definition.foreColor);
        if (definition.backColor)
            SetBackColor(widget, definition.backColor);
        if (tabs) {
            PagePlacement*& placement = placements[tabs];
            if (!placement)
                placement = new PagePlacement(tabs);
            placement->keep(widget, ToPixels(definition.twips));
        } else
            widget->setGeometry(ToPixels(definition.twips));
        definition.bind(controls, widget);
        created.push_back({&definition, widget});
    }
    chainFocusByTabIndex(std::move(created));
    return controls;
}

} // namespace dazu::dialog
