// The handlers of the two file-list editors: one editor's code serves both lists.
#include "FileListEditor.h"
#include "setup.h"

using dazu::dialog::FileListEditor;
using dazu::dialog::kHandHeldToPc;
using dazu::dialog::kPcToHandHeld;

void setup::cmmagregar_Click() {
    FileListEditor(*this, kHandHeldToPc, tables().Files).toggleAddMode();
}
void setup::cmmagregar2_Click() {
    FileListEditor(*this, kPcToHandHeld, tables().FPCHH).toggleAddMode();
}
void setup::txtfile_KeyPress(qint16& KeyAscii) {
    FileListEditor(*this, kHandHeldToPc, tables().Files).keyPress(KeyAscii);
}
void setup::txtfile2_KeyPress(qint16& KeyAscii) {
    FileListEditor(*this, kPcToHandHeld, tables().FPCHH).keyPress(KeyAscii);
}
void setup::cmmborrar_Click() {
    FileListEditor(*this, kHandHeldToPc, tables().Files).deleteSelected();
}
void setup::cmmborrar2_Click() {
    FileListEditor(*this, kPcToHandHeld, tables().FPCHH).deleteSelected();
}
