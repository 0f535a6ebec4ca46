#pragma once

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
        const char *list, *entry, *addButton, *deleteButton, *duplicateTitle;
    } controls;
    const char* table;
};
inline const FileList kFilesList{{"List1", "txtfile", "cmmagregar", "cmmborrar", "Vozu Rodari"},
                                 "Files"};
inline const FileList kFpchhList{{"List2", "txtfile2", "cmmagregar2", "cmmborrar2", "DAZU"},
                                 "FPCHH"};

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

// A session of a user with the window on the folder, step by step, up to the first failure:
//   open                       opens the window as the program does
//   add1|add2|delete1|delete2 NAME   in the list of Files or FPCHH
//   type CONTROL TEXT, click CONTROL, accept ("&Aceptar")
//   busy MS                    the busy timeout of databases opened from then on
//   wait                       prints "ready" and waits for a line on standard input
// Returns what the user met: each message box as "title|style|prompt", then "shown" while the
// window is, and the names it lists as "item|List1|name" and "item|List2|name".
QStringList WorkWindow(const QString& applicationDirectory, const QStringList& steps);

} // namespace dazu::test
