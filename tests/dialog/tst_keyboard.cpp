// The window before loading, as the keyboard and the eye meet it: captions whole at this
// machine's fonts, Tab, Enter, Escape, the Alt accelerators and the spinner's keys, a focus
// cue wherever the focus is, and captions readable in any colour scheme. Names, roles and
// places of the controls are read from the running program by tests/screenreader.
#include "ControlByName.h"
#include "Layout.h"
#include "setup.h"
#include "UpDown.h"

#include <algorithm>
#include <cmath>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using namespace dazu::dialog;
using dazu::test::Control;

namespace {

bool takesFocus(const ControlSpec& definition) {
    return definition.kind != ControlKind::Label && definition.kind != ControlKind::Frame &&
           !(definition.traits & Disabled);
}

// The contrast ratio of two colours as the web content guidelines measure it.
qreal contrast(QRgb a, QRgb b) {
    const auto luminance = [](QRgb rgb) {
        const auto channel = [](int value) {
            const qreal c = value / 255.0;
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) +
               0.0722 * channel(qBlue(rgb));
    };
    const qreal la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

} // namespace

class tst_Keyboard : public QObject {
    Q_OBJECT

    std::unique_ptr<setup> window;
    QTabWidget* tabs() const { return Control<QTabWidget>(*window, "SSTab1"); }

    // The control of the table that holds the focus (a combo box's editor, the tab strip).
    QString focused() const {
        for (QWidget* w = QApplication::focusWidget(); w && w != window.get(); w = w->parentWidget())
            for (const ControlSpec& definition : Controls())
                if (w->objectName() == QLatin1String(definition.name))
                    return w->objectName();
        return QStringLiteral("<none>");
    }
    void focusOn(QWidget* control) {
        for (int page = 0; page < tabs()->count(); ++page)
            if (tabs()->widget(page)->isAncestorOf(control))
                tabs()->setCurrentIndex(page);
        control->setFocus(Qt::OtherFocusReason); // not by Tab: as at start
        QTRY_VERIFY(control->hasFocus() || control->isAncestorOf(QApplication::focusWidget()));
    }
    // The buttons' handlers need a loaded window; these tests only count the clicks.
    QSignalSpy* clicks(const char* name) {
        auto* button = Control<QPushButton>(*window, name);
        QObject::disconnect(button, &QPushButton::clicked, window.get(), nullptr);
        return new QSignalSpy(button, &QPushButton::clicked);
    }

private Q_SLOTS:
    void init() {
        window = std::make_unique<setup>();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup() {
        window.reset();
        QApplication::setPalette(QPalette());
    }

    // Measured with the controls' own metrics, as Qt lays out their texts.
    void noCaptionCutOff() {
        for (const ControlSpec& definition : Controls()) {
            QWidget* control = Control(*window, QLatin1String(definition.name));
            const QString text = VisibleText(definition.caption);
            int room = control->width();
            int needed = control->fontMetrics().horizontalAdvance(text);
            if (qobject_cast<QLabel*>(control) || qobject_cast<QCheckBox*>(control)) {
                needed = control->sizeHint().width();
                QVERIFY2(control->fontMetrics().height() <= control->height(), definition.name);
            } else if (auto* button = qobject_cast<QPushButton*>(control)) {
                QVERIFY2(!text.contains(QLatin1Char('&')), qPrintable(text));
                QStyleOptionButton option;
                option.initFrom(button);
                room = button->style()
                           ->subElementRect(QStyle::SE_PushButtonContents, &option, button)
                           .width();
            } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
                room = combo->lineEdit()->width() - 4; // the editor's own margins
            } else {
                continue;
            }
            QVERIFY2(needed <= room, qPrintable(QStringLiteral("%1: %2 > %3")
                                                    .arg(QLatin1String(definition.name))
                                                    .arg(needed)
                                                    .arg(room)));
        }
        // The size the window was designed for, reached with the faces the project installs.
        QVERIFY2(QFontInfo(window->font()).pointSizeF() >= 8,
                 qPrintable(QFontInfo(window->font()).family()));
    }

    // Tab walks the shown page's controls in tab-index order; disabled boxes are passed over.
    void tabOrder_data() {
        QTest::addColumn<int>("tab");
        for (int tab = 0; tab < 3; ++tab)
            QTest::newRow(kTabCaptions[tab]) << tab;
    }
    void tabOrder() {
        QFETCH(int, tab);
        tabs()->setCurrentIndex(tab);
        std::vector<const ControlSpec*> order;
        for (const ControlSpec& definition : Controls()) {
            QWidget* control = Control(*window, QLatin1String(definition.name));
            if (takesFocus(definition) && (control == tabs() || !tabs()->isAncestorOf(control) ||
                                           tabs()->widget(tab)->isAncestorOf(control)))
                order.push_back(&definition);
        }
        std::sort(order.begin(), order.end(),
                  [](auto* a, auto* b) { return a->tabIndex < b->tabIndex; });
        QStringList expected, walked;
        for (const ControlSpec* definition : order)
            expected << QLatin1String(definition->name);
        tabs()->setFocus(Qt::TabFocusReason);
        for (qsizetype i = 0; i <= expected.size(); ++i) {
            walked << focused();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        expected << QStringLiteral("SSTab1"); // and round again
        QCOMPARE(walked, expected);
    }

    // Only a focused button takes Enter, nothing takes Escape; the spinner steps with Up and
    // Down within 0 to 32000 and passes other keys on (Ctrl+Tab to the tab control).
    void keys_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("outcome");
        const auto row = [](const char* control, int interval, int key, const char* outcome) {
            QTest::addRow("%s, key %x, from %d", control, key, interval)
                << control << interval << key << outcome;
        };
        for (const char* control : {"Txtprogramapc", "chkprogramapc", "txtintervalo", "cmbpuerto"})
            for (int key : {Qt::Key_Return, Qt::Key_Escape})
                row(control, 0, key, "");
        row("cmdsetup", 0, Qt::Key_Return, "Aceptar");
        row("cmdsetup", 0, Qt::Key_Escape, "");
        row("cmdsetupcancelar", 0, Qt::Key_Enter, "Cancelar");
        row("vscintervalo", 0, Qt::Key_Up, "1");
        row("vscintervalo", 7, Qt::Key_Down, "6");
        row("vscintervalo", 0, Qt::Key_Down, "");
        row("vscintervalo", 32000, Qt::Key_Up, "");
        row("vscintervalo", 0, (Qt::ControlModifier | Qt::Key_Tab).toCombined(), "Archivos");
    }
    void keys() {
        QFETCH(QString, control);
        QFETCH(int, interval);
        QFETCH(int, key);
        QFETCH(QString, outcome);
        std::unique_ptr<QSignalSpy> accept(clicks("cmdsetup")), cancel(clicks("cmdsetupcancelar"));
        auto* spinner = Control<UpDown>(*window, "vscintervalo");
        spinner->setValue(interval);
        auto* interval_box = Control<QLineEdit>(*window, "txtintervalo");
        interval_box->clear();
        focusOn(Control(*window, control));
        const int page = tabs()->currentIndex();
        const auto combination = QKeyCombination::fromCombined(key);
        QTest::keyClick(QApplication::focusWidget(), combination.key(),
                        combination.keyboardModifiers());
        QStringList happened;
        if (accept->count())
            happened << QStringLiteral("Aceptar");
        if (cancel->count())
            happened << QStringLiteral("Cancelar");
        if (tabs()->currentIndex() != page)
            happened << tabs()->tabText(tabs()->currentIndex());
        if (!interval_box->text().isEmpty())
            happened << interval_box->text();
        QCOMPARE(happened.join(QLatin1Char(',')), outcome);
        QVERIFY(window->isVisible());
    }

    void altAcceleratorsOnEveryTab_data() { tabOrder_data(); }
    void altAcceleratorsOnEveryTab() {
        QFETCH(int, tab);
        std::unique_ptr<QSignalSpy> accept(clicks("cmdsetup")), cancel(clicks("cmdsetupcancelar"));
        tabs()->setCurrentIndex(tab);
        focusOn(tabs());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(accept->count(), 1); // an accelerator shows the button going down first
        QTRY_VERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(cancel->count(), 1);
        QCOMPARE(accept->count(), 1);
    }

    // Wherever the focus is, the user sees it from the start: at least a two-pixel line down
    // both sides changes by 3:1, the least contrast asked of a focus cue.
    void focusIsSeen_data() {
        QTest::addColumn<QString>("name");
        for (const ControlSpec& definition : Controls())
            if (takesFocus(definition))
                QTest::newRow(definition.name) << QString::fromLatin1(definition.name);
    }
    void focusIsSeen() {
        QFETCH(QString, name);
        QWidget* control = Control(*window, name);
        focusOn(Control(*window, name == QLatin1String("cmdsetup") ? "cmdsetupcancelar" : "cmdsetup"));
        const QImage without = window->grab().toImage();
        focusOn(control);
        const QImage with = window->grab().toImage();
        QWidget* shown = control == tabs() ? tabs()->tabBar() : control;
        const QRect area =
            QRect(shown->mapTo(window.get(), QPoint()), shown->size()).adjusted(-3, -3, 3, 3);
        int seen = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                seen += contrast(without.pixel(x, y), with.pixel(x, y)) >= 3.0;
        QVERIFY2(seen >= 4 * shown->height(), qPrintable(QString::number(seen)));
    }

#ifndef Q_OS_WIN // tst_systemcolors_windows checks the system's own colours there
    // Dimmed and normal captions stay readable in a light and in a dark scheme, and follow a
    // change of scheme while the window is open.
    void captionColoursFollowTheScheme() {
        auto* check = Control<QCheckBox>(*window, "chkprogramapc");
        auto* entry = Control<QLineEdit>(*window, "txtfile");
        const auto standsOut = [check](const QColor& background) {
            const QColor text = check->palette().color(QPalette::Active, check->foregroundRole());
            return text.alphaF() * qAbs(text.lightnessF() - background.lightnessF());
        };
        check->setChecked(true);
        const QColor normal = check->palette().color(QPalette::Active, check->foregroundRole());
        check->setChecked(false);
        QVERIFY(check->palette().color(QPalette::Active, check->foregroundRole()) != normal);
        for (const QPalette& scheme :
             {QPalette(QColor(53, 53, 53), QColor(35, 35, 35)), QPalette()}) {
            QApplication::setPalette(scheme); // reaches the controls through the event loop
            QTRY_COMPARE(check->palette().color(QPalette::Window),
                         QApplication::palette().color(QPalette::Window));
            const QColor background = check->palette().color(check->backgroundRole());
            for (bool checked : {true, false}) {
                check->setChecked(checked);
                QVERIFY(standsOut(background) >= 0.35);
            }
            check->setChecked(false);
            QCOMPARE(entry->palette().color(QPalette::Disabled, QPalette::Base).lightness() < 128,
                     background.lightness() < 128);
        }
    }
#endif
};

QTEST_MAIN(tst_Keyboard)
#include "tst_keyboard.moc"
