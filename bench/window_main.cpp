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
    if (!window.Form_Load())
        return EXIT_FAILURE;
    const int status = QApplication::exec();
    // The wait ends with the first paint. Tearing the window down afterwards (at the largest
    // size, two hundred thousand list items) happens after the user has closed it, so it is
    // left out of the time; both programs end the same way.
    std::_Exit(status);
}
