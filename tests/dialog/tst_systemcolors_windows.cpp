// On Windows a system colour reference is the system's own colour (GetSysColor), read again
// when the user changes the colour scheme while the window is open.
#include "SystemColor.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <windows.h>

using namespace dazu::dialog;

namespace {

QColor systemColour(int index) {
    const COLORREF colour = GetSysColor(index);
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

QColor foreground(const QWidget& control) {
    return control.palette().color(QPalette::Active, control.foregroundRole());
}

QColor background(const QWidget& control) {
    return control.palette().color(QPalette::Active, control.backgroundRole());
}

// Gives a system colour another value until the end of the scope, as the user's colour scheme
// would; the system tells every window of the change.
class SchemeChange {
public:
    SchemeChange(int index, COLORREF colour)
        : index_(index)
        , previous_(GetSysColor(index)) {
        SetSysColors(1, &index_, &colour);
    }
    SchemeChange(const SchemeChange&) = delete;
    SchemeChange& operator=(const SchemeChange&) = delete;
    ~SchemeChange() { SetSysColors(1, &index_, &previous_); }

private:
    int index_;
    COLORREF previous_;
};

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
        // Controls of a shown window, as in the program.
        QWidget window;
        auto* caption = new QLabel(QStringLiteral("Ejecutar programa en PC"), &window);
        auto* entry = new QLineEdit(&window);
        entry->move(0, 30);
        SetForeColor(caption, reference);
        SetBackColor(entry, reference);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(foreground(*caption), systemColour(index));
        QCOMPARE(background(*entry), systemColour(index));

        const COLORREF changed = RGB(1, 2, 3) ^ GetSysColor(index);
        const SchemeChange change(index, changed);
        QTRY_COMPARE(foreground(*caption), systemColour(index));
        QCOMPARE(background(*entry), systemColour(index));
        QCOMPARE(systemColour(index),
                 QColor(GetRValue(changed), GetGValue(changed), GetBValue(changed)));
    }
};

QTEST_MAIN(tst_SystemColorsWindows)
#include "tst_systemcolors_windows.moc"
