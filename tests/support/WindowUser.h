#pragma once

#include "setup.h"

#include <memory>
#include <QAbstractItemView>
#include <QStringList>

namespace dazu::test {

// One of the window's two file lists: its controls, the title of its duplicate-name message
// and the table that holds its names.
struct FileList {
    const char *list, *entry, *addButton, *deleteButton, *duplicateTitle, *table;
};
inline const FileList kFilesList{"List1",     "txtfile",     "cmmagregar",
                                 "cmmborrar", "Vozu Rodari", "Files"};
inline const FileList kFpchhList{"List2", "txtfile2", "cmmagregar2", "cmmborrar2", "DAZU", "FPCHH"};

// A control found as a person or a screen reader finds it, by its object name; nullptr when
// the window has no such control or it is of another class.
template <typename T = QWidget> T* Control(const QWidget& window, const QString& name) {
    return window.findChild<T*>(name);
}
// The rows a list box shows, top to bottom, as a screen reader reads them.
QStringList ShownRows(const QAbstractItemView& list);

// The window as the program opens it on the application folder: its load handler has run.
std::unique_ptr<setup> LoadWindow(const QString& applicationDirectory);

// What a user does, through the controls and their handlers; a handler that fails shows the
// failure path's box, as in the program.
// "Agregar", the name typed into the entry box, Enter.
void AddName(const setup& window, const FileList& list, const QString& name);
// Selects the name in the list and presses "&Borrar"; nothing when the list does not show it.
void DeleteName(const setup& window, const FileList& list, const QString& name);
// "&Aceptar".
void Accept(const setup& window);
QStringList ListedNames(const setup& window, const FileList& list);

// A user with the window on the folder; every message box is answered and noted in `met` as
// "title|style|prompt". A step is a verb followed by its operands:
//   open                       opens the window as the program does
//   add1|add2|delete1|delete2 NAME   in the list of Files or FPCHH
//   type CONTROL TEXT, click CONTROL, accept ("&Aceptar")
//   focus CONTROL, key KEY (to the control with the focus, as QKeySequence names it)
//   tab N (the tab in front, the focus on the strip), select LIST ROW, arrow up|down (the
//   spinner's), choose PATH (in the folder picker that "..." opens; empty cancels)
//   busy MS                    the busy timeout of databases opened from then on
//   wait                       prints "ready" and waits for a line on standard input
// Each control is brought to the front, on its tab, before it is used.
struct WindowUser {
    explicit WindowUser(const QString& applicationDirectory);
    ~WindowUser();
    // Does steps[i], leaving i on its last operand.
    void step(const QStringList& steps, qsizetype& i);
    // Whether the failure path's box was shown: titled "DAZU", with the critical icon.
    bool failed() const { return !met.filter(QStringLiteral("DAZU|16|")).isEmpty(); }

    QString folder;
    QStringList met;
    std::unique_ptr<setup> window;
};

// A session of such steps up to the first failure. Returns what the user met, then "shown"
// while the window is, and the names it lists as "item|List1|name" and "item|List2|name".
QStringList WorkWindow(const QString& applicationDirectory, const QStringList& steps);

} // namespace dazu::test
