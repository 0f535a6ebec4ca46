#pragma once

#include "FileListEditor.h"
#include "setup.h"

#include <memory>
#include <QString>
#include <QStringList>

class QWidget;

namespace dazu::test {

// One of the window's two file lists, with the table that holds its names.
struct FileList {
    const dialog::FileListControls& controls;
    const char* table;
};
inline const FileList kFilesList{dialog::kHandHeldToPc, "Files"};
inline const FileList kFpchhList{dialog::kPcToHandHeld, "FPCHH"};

// The window as the program opens it on the application folder: its load handler has run.
// Whether that failed is HasFailed().
std::unique_ptr<setup> LoadWindow(const QString& applicationDirectory);

// What a user does, through the controls and their handlers; a handler that fails shows its
// box and sets HasFailed(), as in the program.
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
