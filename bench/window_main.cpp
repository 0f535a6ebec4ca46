// The settings window started as the program starts it (start-up sequence and loading in
// the folder of this executable), ending at its first paint.
#include "FailurePath.h"
#include "FirstPaint.h"
#include "setup.h"
#include "UnattendedMessages.h"

#include <cstdlib>
#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    dazu::bench::ReportMessagesOnStandardError();
    setup window;
    dazu::bench::QuitOnFirstPaint quit(window);
    window.Form_Load();
    if (dazu::app::HasFailed())
        return EXIT_FAILURE;
    return QApplication::exec();
}
