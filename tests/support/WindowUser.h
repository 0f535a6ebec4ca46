#pragma once

#include "MsgBox.h"
#include "setup.h"

#include <memory>
#include <QString>
#include <QStringList>

class QWidget;

namespace dazu::test {

// One of the window's two file lists: its controls, the title of its duplicate-name message
// and the table that holds its names.
struct FileList {
    struct {
        const char* list;
        const char* entry;
        const char* addButton;
        const char* deleteButton;
        const char* duplicateTitle;
    } controls;
    const char* table;
};
inline const FileList kFilesList{{"List1", "txtfile", "cmmagregar", "cmmborrar", "Vozu Rodari"},
                                 "Files"};
inline const FileList kFpchhList{{"List2", "txtfile2", "cmmagregar2", "cmmborrar2", "DAZU"},
                                 "FPCHH"};

// Answers every message box by passing it to `show`, and notes whether the failure path's box
// (titled "DAZU", with the critical icon) has been shown: FailureShown().
void WatchMessageBoxes(app::MsgBoxPresenter show);
bool FailureShown();

// The window as the program opens it on the application folder: its load handler has run.
std::unique_ptr<setup> LoadWindow(const QString& applicationDirectory);

// What a user does, through the controls and their handlers; a handler that fails shows the
// failure path's box, as in the program.
// Replaces the text of a text box or of an editable combo box by typing it.
void TypeText(QWidget* control, const QString& text);
// "Agregar", the name typed into the entry box, Enter.
void AddName(const setup& window, const FileList& list, const QString& name);
// Selects the name in the list and presses "&Borrar"; false when the list does not show it.
bool DeleteName(const setup& window, const FileList& list, const QString& name);
// "&Aceptar".
void Accept(const setup& window);

QStringList ListedNames(const setup& window, const FileList& list);

} // namespace dazu::test
