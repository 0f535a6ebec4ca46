#pragma once

#include <QString>
#include <QtGlobal>

class setup;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace dazu::config {
class Recordset;
}

namespace dazu::dialog {

// The controls of one file list and the title of its duplicate-name message.
struct FileListControls {
    const char* list;
    const char* entry;
    const char* addButton;
    const char* deleteButton;
    const char* duplicateTitle;
};

inline constexpr FileListControls kHandHeldToPc{"List1", "txtfile", "cmmagregar", "cmmborrar",
                                                "Vozu Rodari"};
inline constexpr FileListControls kPcToHandHeld{"List2", "txtfile2", "cmmagregar2", "cmmborrar2",
                                                "DAZU"};

// One of the two list editors. Its state is the enabled flag of its entry box: idle while the
// box is disabled, add mode while it is enabled. Every change is stored in its table at once.
// A list gains an item only after its record is stored, and a record is deleted before its
// item is removed.
class FileListEditor {
public:
    FileListEditor(const setup& window, const FileListControls& controls, config::Recordset& table);

    void toggleAddMode();
    void keyPress(qint16 keyAscii);
    void deleteSelected();

private:
    void leaveAddMode();

    const FileListControls& names_;
    config::Recordset& table_;
    QListWidget* list_;
    QLineEdit* entry_;
    QPushButton* addButton_;
};

} // namespace dazu::dialog
