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
    void references_data() {
        QTest::addColumn<quint32>("reference");
        QTest::addColumn<int>("index");
        // clang-format off
        QTest::newRow("inactive caption") << quint32(InactiveCaptionColor) << COLOR_INACTIVECAPTION;
        QTest::newRow("window") << quint32(WindowColor) << COLOR_WINDOW;
        QTest::newRow("menu text") << quint32(MenuTextColor) << COLOR_MENUTEXT;
        QTest::newRow("window text") << quint32(WindowTextColor) << COLOR_WINDOWTEXT;
        QTest::newRow("button face") << quint32(ButtonFaceColor) << COLOR_BTNFACE;
        // clang-format on
    }
    void references() {
        QFETCH(quint32, reference);
        QFETCH(int, index);
        QWidget window; // controls of a shown window, as in the program
        auto* caption = new QLabel(QStringLiteral("Ejecutar programa en PC"), &window);
        auto* entry = new QLineEdit(&window);
        SetForeColor(caption, reference);
        SetBackColor(entry, reference);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const COLORREF previous = GetSysColor(index), changed = previous ^ RGB(1, 2, 3);
        const auto restore = qScopeGuard([&] { SetSysColors(1, &index, &previous); });
        for (const COLORREF colour : {previous, changed}) {
            SetSysColors(1, &index, &colour); // the user's scheme; the system tells every window
            const QColor system(GetRValue(colour), GetGValue(colour), GetBValue(colour));
            QTRY_COMPARE(caption->palette().color(QPalette::Active, caption->foregroundRole()),
                         system);
            QCOMPARE(entry->palette().color(QPalette::Active, entry->backgroundRole()), system);
        }
    }
};

QTEST_MAIN(tst_SystemColorsWindows)
#include "tst_systemcolors_windows.moc"
