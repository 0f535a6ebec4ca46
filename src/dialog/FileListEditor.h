#pragma once

#include <QString>
#include <QtGlobal>

class QLineEdit;
class QPushButton;

namespace dazu::config {
class Recordset;
}

namespace dazu::dialog {

class ListBox;

// One of the two list editors, over its own list box, entry box and "Agregar" button. Its
// state is the enabled flag of its entry box: idle while the box is disabled, add mode while
// it is enabled. Every change is stored in its table at once. A list gains an item only after
// its record is stored, and a record is deleted before its item is removed.
class FileListEditor {
public:
    FileListEditor(ListBox* list, QLineEdit* entry, QPushButton* addButton,
                   config::Recordset& table, QString duplicateTitle);

    void toggleAddMode();
    void keyPress(qint16 keyAscii);
    void deleteSelected();

private:
    void leaveAddMode();

    ListBox* list_;
    QLineEdit* entry_;
    QPushButton* addButton_;
    config::Recordset& table_;
    QString duplicateTitle_;
};

} // namespace dazu::dialog
