// DAZU: the settings window of the PC side of the hand-held file transfer.
#include "setup.h"

#include <cstdlib>
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // The program speaks Spanish whatever the system's language: Qt's own dialogs and
    // buttons too (the folder dialog, a message box's button).
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    setup window;
    if (!window.Form_Load())
        return EXIT_FAILURE;
    return QApplication::exec();
}
