// The handlers of the two file-list editors: one editor's code serves both lists.
#include "FileListEditor.h"
#include "setup.h"

using dazu::dialog::FileListEditor;

FileListEditor setup::handHeldToPcEditor() {
    return {controls_.List1, controls_.txtfile, controls_.cmmagregar, tables().Files,
            QStringLiteral("Vozu Rodari")};
}
FileListEditor setup::pcToHandHeldEditor() {
    return {controls_.List2, controls_.txtfile2, controls_.cmmagregar2, tables().FPCHH,
            QStringLiteral("DAZU")};
}

void setup::cmmagregar_Click() {
    handHeldToPcEditor().toggleAddMode();
}
void setup::cmmagregar2_Click() {
    pcToHandHeldEditor().toggleAddMode();
}
void setup::txtfile_KeyPress(qint16& KeyAscii) {
    handHeldToPcEditor().keyPress(KeyAscii);
}
void setup::txtfile2_KeyPress(qint16& KeyAscii) {
    pcToHandHeldEditor().keyPress(KeyAscii);
}
void setup::cmmborrar_Click() {
    handHeldToPcEditor().deleteSelected();
}
void setup::cmmborrar2_Click() {
    pcToHandHeldEditor().deleteSelected();
}
