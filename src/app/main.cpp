// DAZU: the settings window of the PC side of the hand-held file transfer.
#include "FailurePath.h"
#include "setup.h"

#include <cstdlib>
#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    setup window;
    window.Form_Load();
    if (dazu::app::HasFailed())
        return EXIT_FAILURE;
    return QApplication::exec();
}
