// On Windows a system colour reference is the system's own colour (GetSysColor), read again
// when the user changes the colour scheme while the window is open.
#include "SystemColor.h"

#include <QtTest>
#include <QtWidgets>
#include <windows.h>

using namespace dazu::dialog;

class tst_SystemColorsWindows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void references() {
        QWidget window; // controls of a shown window, as in the program
        auto* caption = new QLabel(QStringLiteral("Ejecutar programa en PC"), &window);
        auto* entry = new QLineEdit(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (auto [reference, index] : {std::pair{InactiveCaptionColor, COLOR_INACTIVECAPTION},
                                        {WindowColor, COLOR_WINDOW},
                                        {MenuTextColor, COLOR_MENUTEXT},
                                        {WindowTextColor, COLOR_WINDOWTEXT},
                                        {ButtonFaceColor, COLOR_BTNFACE}}) {
            SetForeColor(caption, reference);
            SetBackColor(entry, reference);
            const COLORREF previous = GetSysColor(index), changed = previous ^ RGB(1, 2, 3);
            const auto restore = qScopeGuard([&] { SetSysColors(1, &index, &previous); });
            for (const COLORREF colour : {previous, changed}) {
                SetSysColors(1, &index,
                             &colour); // the user's scheme; the system tells every window
                const QColor system(GetRValue(colour), GetGValue(colour), GetBValue(colour));
                QTRY_COMPARE(caption->palette().color(QPalette::Active, caption->foregroundRole()),
                             system);
                QCOMPARE(entry->palette().color(QPalette::Active, entry->backgroundRole()), system);
            }
        }
    }
};

QTEST_MAIN(tst_SystemColorsWindows)
#include "tst_systemcolors_windows.moc"
