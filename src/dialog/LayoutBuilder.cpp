#include "LayoutBuilder.h"

#include "CheckBox.h"
#include "Layout.h"
#include "PagePlacement.h"
#include "SystemColor.h"
#include "UpDown.h"

#include <algorithm>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <vector>

namespace dazu::dialog {

namespace {

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
    return combo;
}

QWidget* createListBox(QWidget* container) {
    auto* list = new QListWidget(container);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    // Every item is one line of text in one font: with uniform sizes the view measures one
    // item instead of all of them, so a list of many names lays out and changes at once.
    list->setUniformItemSizes(true);
    return list;
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
        return new QLineEdit(text(definition.caption), container);
    case ControlKind::ComboBox:
        return createComboBox(definition, container);
    case ControlKind::ListBox:
        return createListBox(container);
    case ControlKind::CommandButton:
        return createCommandButton(definition, container);
    case ControlKind::UpDown:
        return new UpDown(container);
    }
    return nullptr;
}

// Labels and frames take no focus; Qt passes over hidden and disabled controls by itself.
void chainFocusByTabIndex(const QHash<QString, QWidget*>& controls) {
    std::vector<const ControlSpec*> order;
    for (const ControlSpec& definition : Controls())
        order.push_back(&definition);
    std::sort(order.begin(), order.end(),
              [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });
    QWidget* previous = nullptr;
    for (const ControlSpec* definition : order) {
        QWidget* widget = controls.value(QLatin1String(definition->name));
        if (widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

} // namespace

QHash<QString, QWidget*> BuildControls(QWidget& window) {
    QHash<QString, QWidget*> controls;
    QHash<QTabWidget*, PagePlacement*> placements;
    for (const ControlSpec& definition : Controls()) {
        QWidget* container = &window;
        if (definition.container.name)
            container = controls.value(QLatin1String(definition.container.name));
        auto* tabs = qobject_cast<QTabWidget*>(container);
        if (tabs)
            container = tabs->widget(definition.container.page);

        QWidget* widget = create(definition, container);
        widget->setObjectName(QLatin1String(definition.name));
        widget->setToolTip(text(definition.toolTip));
        widget->setAccessibleName(AccessibleNameOf(definition));
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
        controls.insert(QLatin1String(definition.name), widget);
    }
    chainFocusByTabIndex(controls);
    return controls;
}

} // namespace dazu::dialog
