#include "FileListEditor.h"

#include "MsgBox.h"
#include "Recordset.h"
#include "setup.h"
#include "SystemColor.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace dazu::dialog {

namespace {
constexpr qint16 kEnter = 13;

// The index of the selected item, -1 when none is selected.
int ListIndex(const QListWidget* list) {
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}
} // namespace

FileListEditor::FileListEditor(const setup& window, const FileListControls& controls,
                               config::Recordset& table)
    : names_(controls)
    , table_(table)
    , list_(window.control<QListWidget>(controls.list))
    , entry_(window.control<QLineEdit>(controls.entry))
    , addButton_(window.control<QPushButton>(controls.addButton)) {}

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
    table_.Seek("=", name.toStdString());
    if (table_.NoMatch()) {
        table_.AddNew();
        table_.Fields("FILE").SetValue(name.toStdString());
        table_.Update();
        list_->addItem(name);
        list_->repaint();
    } else {
        app::MsgBox(QStringLiteral("Entrada ya existe"), app::vbExclamation,
                    QString::fromUtf8(names_.duplicateTitle));
    }
    leaveAddMode();
}

void FileListEditor::leaveAddMode() {
    entry_->setText(QString());
    addButton_->setEnabled(true);
    toggleAddMode();
}

void FileListEditor::deleteSelected() {
    const int index = ListIndex(list_);
    if (index == -1) {
        app::MsgBox(QStringLiteral("Seleccione un elemento para borrar"), app::vbInformation,
                    QStringLiteral("DAZU"));
        return;
    }
    table_.Seek("=", list_->item(index)->text().toStdString());
    if (!table_.NoMatch()) {
        table_.Delete();
        table_.MoveFirst();
    }
    // A record already gone elsewhere leaves nothing to delete; its item goes all the same.
    delete list_->takeItem(index);
    list_->selectionModel()->clear();
    list_->repaint();
}

} // namespace dazu::dialog
