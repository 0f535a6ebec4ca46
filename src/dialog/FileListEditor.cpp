#include "FileListEditor.h"

#include "FileList.h"
#include "ListBox.h"
#include "MsgBox.h"
#include "SystemColor.h"

#include <QLineEdit>
#include <QPushButton>
#include <string>
#include <utility>

namespace dazu::dialog {

namespace {
constexpr qint16 kEnter = 13;
} // namespace

FileListEditor::FileListEditor(ListBox* list, QLineEdit* entry, QPushButton* addButton,
                               config::Recordset& table, QString duplicateTitle)
    : list_(list)
    , entry_(entry)
    , addButton_(addButton)
    , table_(table)
    , duplicateTitle_(std::move(duplicateTitle)) {}

void FileListEditor::toggleAddMode() {
    if (entry_->isEnabled()) {
        entry_->setEnabled(false);
        SetBackColor(entry_, ButtonFaceColor);
        return;
    }
    entry_->setEnabled(true);
    SetBackColor(entry_, WindowColor);
    entry_->setFocus();
    addButton_->setEnabled(false);
}

void FileListEditor::keyPress(qint16 keyAscii) {
    if (keyAscii != kEnter)
        return;
    // The name goes on exactly as typed: untrimmed, in its own letter case, even empty.
    const std::string name = entry_->text().toStdString();
    if (config::AddFileName(table_, name)) {
        list_->names().append(name);
        list_->refresh();
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
    const int index = list_->selectedRow();
    if (index == -1) {
        app::MsgBox(QStringLiteral("Seleccione un elemento para borrar"), app::vbInformation,
                    QStringLiteral("DAZU"));
        return;
    }
    // The name is sought by the bytes its record holds, whether or not they are UTF-8 text.
    if (config::DeleteFileName(table_, std::string(list_->names().bytes(index))))
        table_.MoveFirst();
    // A record already gone elsewhere leaves nothing to delete; its item goes all the same.
    list_->names().remove(index);
    list_->selectionModel()->clear();
    list_->refresh();
}

} // namespace dazu::dialog
