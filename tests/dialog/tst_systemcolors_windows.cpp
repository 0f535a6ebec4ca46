// On Windows a system colour reference is the system's own colour (GetSysColor), read again
// when the user changes the colour scheme while the window is open.
#include "SystemColor.h"

#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTest>
#include <windows.h>

using namespace dazu::dialog;

namespace {
QColor systemColour(int index) {
    const COLORREF colour = GetSysColor(index);
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}
} // namespace

class tst_SystemColorsWindows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void references_data() {
        QTest::addColumn<quint32>("reference");
        QTest::addColumn<int>("index");
        QTest::newRow("inactive caption") << quint32(InactiveCaptionColor) << COLOR_INACTIVECAPTION;
        QTest::newRow("window") << quint32(WindowColor) << COLOR_WINDOW;
        QTest::newRow("menu text") << quint32(MenuTextColor) << COLOR_MENUTEXT;
        QTest::newRow("window text") << quint32(WindowTextColor) << COLOR_WINDOWTEXT;
        QTest::newRow("button face") << quint32(ButtonFaceColor) << COLOR_BTNFACE;
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
        const auto shown = [&] {
            QCOMPARE(caption->palette().color(QPalette::Active, caption->foregroundRole()),
                     systemColour(index));
            QCOMPARE(entry->palette().color(QPalette::Active, entry->backgroundRole()),
                     systemColour(index));
        };
        shown();
        if (QTest::currentTestFailed())
            return;
        // The user's scheme changes; the system tells every window.
        const COLORREF previous = GetSysColor(index), changed = previous ^ RGB(1, 2, 3);
        const auto restore = qScopeGuard([&] { SetSysColors(1, &index, &previous); });
        SetSysColors(1, &index, &changed);
        QTRY_COMPARE(caption->palette().color(QPalette::Active, caption->foregroundRole()),
                     QColor(GetRValue(changed), GetGValue(changed), GetBValue(changed)));
        shown();
    }
};

QTEST_MAIN(tst_SystemColorsWindows)
#include "tst_systemcolors_windows.moc"
