#include "FileListEditor.h"

#include "FileList.h"
#include "MsgBox.h"
#include "SystemColor.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <utility>

namespace dazu::dialog {

namespace {
constexpr qint16 kEnter = 13;

// The index of the selected item, -1 when none is selected.
int ListIndex(const QListWidget* list) {
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}
} // namespace

FileListEditor::FileListEditor(QListWidget* list, QLineEdit* entry, QPushButton* addButton,
                               config::Recordset& table, QString duplicateTitle)
    : list_(list)
    , entry_(entry)
    , addButton_(addButton)
    , table_(table)
    , duplicateTitle_(std::move(duplicateTitle)) {}

void FileListEditor::toggleAddMode() {
    if (entry_->isEnabled()) {
        entry_->setEnabled(false);
        SetBackColor(entry_, COLOR_BTNFACE);
        return;
    }
    entry_->setEnabled(true);
    SetBackColor(entry_, COLOR_WINDOW);
    entry_->setFocus();
    addButton_->setEnabled(false);
}

void FileListEditor::keyPress(qint16 keyAscii) {
    if (keyAscii != kEnter)
        return;
    // The name goes on exactly as typed: untrimmed, in its own letter case, even empty.
    const QString name = entry_->text();
    if (config::AddFileName(table_, name.toStdString())) {
        list_->addItem(name);
        list_->repaint();
    } else {
        app::MsgBox(QStringLiteral("Entrada ya existe"), app::vbExclamation, duplicateTitle_);
    }
    leaveAddMode();
}

void FileListEditor::leaveAddMode() {
    entry_->setText(QString());
    addButton_->setEnabled(true);
    // The focus goes to "Agregar" before the entry box is disabled, not on to the next
    // control, "&Borrar": a second Enter, or a held key, starts the next name instead of
    // deleting the selected one.
    addButton_->setFocus(Qt::OtherFocusReason);
    toggleAddMode();
}

void FileListEditor::deleteSelected() {
    const int index = ListIndex(list_);
    if (index == -1) {
        app::MsgBox(QStringLiteral("Seleccione un elemento para borrar"), app::vbInformation,
                    QStringLiteral("DAZU"));
        return;
    }
    if (config::DeleteFileName(table_, list_->item(index)->text().toStdString()))
        table_.MoveFirst();
    // A record already gone elsewhere leaves nothing to delete; its item goes all the same.
    delete list_->takeItem(index);
    list_->selectionModel()->clear();
    list_->repaint();
}

} // namespace dazu::dialog
