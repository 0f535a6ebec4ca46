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

QWidget* createCheckBox(const ControlSpec& spec, QWidget* container) {
    auto* box = new CheckBox(container, spec.traits & CheckAtRight);
    box->setText(text(spec.caption));
    box->setChecked(spec.traits & Checked);
    if (spec.traits & Bold) {
        QFont bold; // only the weight: family and size still come from the window
        bold.setWeight(QFont::Bold);
        box->setFont(bold);
    }
    return box;
}

// Editable, unsorted and without choices; the text starts as the box's own description.
QWidget* createComboBox(const ControlSpec& spec, QWidget* container) {
    auto* combo = new QComboBox(container);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert); // Enter does not add the typed text
    combo->setEditText(text(spec.caption));
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
QWidget* createCommandButton(const ControlSpec& spec, QWidget* container) {
    auto* button = new QPushButton(text(spec.caption), container);
    button->setAutoDefault(true);
    return button;
}

QWidget* create(const ControlSpec& spec, QWidget* container) {
    switch (spec.kind) {
    case ControlKind::TabControl:
        return createTabControl(container);
    case ControlKind::Frame:
        return new QGroupBox(text(spec.caption), container);
    case ControlKind::Label:
        return new QLabel(text(spec.caption), container); // flat, the page shows through
    case ControlKind::CheckBox:
        return createCheckBox(spec, container);
    case ControlKind::TextBox:
        return new QLineEdit(text(spec.caption), container);
    case ControlKind::ComboBox:
        return createComboBox(spec, container);
    case ControlKind::ListBox:
        return createListBox(container);
    case ControlKind::CommandButton:
        return createCommandButton(spec, container);
    case ControlKind::UpDown:
        return new UpDown(container);
    }
    return nullptr;
}

// Labels and frames take no focus; Qt passes over hidden and disabled controls by itself.
void chainFocusByTabIndex(const QHash<QString, QWidget*>& controls) {
    std::vector<const ControlSpec*> order;
    for (const ControlSpec& spec : Controls())
        order.push_back(&spec);
    std::sort(order.begin(), order.end(),
              [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });
    QWidget* previous = nullptr;
    for (const ControlSpec* spec : order) {
        QWidget* widget = controls.value(QLatin1String(spec->name));
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
    for (const ControlSpec& spec : Controls()) {
        QWidget* container = &window;
        if (spec.container.name)
            container = controls.value(QLatin1String(spec.container.name));
        auto* tabs = qobject_cast<QTabWidget*>(container);
        if (tabs)
            container = tabs->widget(spec.container.page);

        QWidget* widget = create(spec, container);
        widget->setObjectName(QLatin1String(spec.name));
        widget->setToolTip(text(spec.toolTip));
        widget->setAccessibleName(AccessibleNameOf(spec));
        widget->setEnabled(!(spec.traits & Disabled));
        if (spec.foreColor)
            SetForeColor(widget, spec.foreColor);
        if (spec.backColor)
            SetBackColor(widget, spec.backColor);
        if (tabs) {
            PagePlacement*& placement = placements[tabs];
            if (!placement)
                placement = new PagePlacement(tabs);
            placement->keep(widget, ToPixels(spec.twips));
        } else
            widget->setGeometry(ToPixels(spec.twips));
        controls.insert(QLatin1String(spec.name), widget);
    }
    chainFocusByTabIndex(controls);
    return controls;
}

} // namespace dazu::dialog
