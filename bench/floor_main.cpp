// The floor that the settings window is measured against: an empty top-level Qt window of
// the same size, started and shown the same way, ending at its first paint.
#include "FirstPaint.h"

#include <cstdlib>
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(560, 342);
    dazu::bench::QuitOnFirstPaint quit(window);
    window.show();
    const int status = QApplication::exec();
    // Ends at once, without tearing the window down, as the settings window's benchmark does.
    std::_Exit(status);
}
