// The window before loading, as the keyboard and the eye meet it: captions whole at this
// machine's fonts, Tab, Enter, Escape, the Alt accelerators and the spinner's keys, a focus
// cue wherever the focus is, and captions readable in any colour scheme. Names, roles and
// places of the controls are read from the running program by tests/screenreader.
#include "ControlByName.h"
#include "Layout.h"
#include "setup.h"
#include "UpDown.h"

#include <cmath>
#include <QtTest>
#include <QtWidgets>

using namespace dazu::dialog;
using dazu::test::Control;

namespace {

// A key pressed in a control, the spinner's value before, and what happened: the buttons
// clicked, the tab shown if it changed, the interval box's text if it changed.
const struct Key {
    const char *control, *key;
    int interval;
    const char* outcome;
} kKeys[] = {
    // clang-format off
    {"Txtprogramapc", "Return", 0, ""}, {"Txtprogramapc", "Esc", 0, ""}, {"chkprogramapc", "Return", 0, ""},
    {"chkprogramapc", "Esc", 0, ""}, {"txtintervalo", "Return", 0, ""}, {"txtintervalo", "Esc", 0, ""},
    {"cmbpuerto", "Return", 0, ""}, {"cmbpuerto", "Esc", 0, ""}, {"cmdsetup", "Return", 0, "Aceptar"},
    {"cmdsetup", "Esc", 0, ""}, {"cmdsetupcancelar", "Enter", 0, "Cancelar"}, {"vscintervalo", "Up", 0, "1"},
    {"vscintervalo", "Down", 7, "6"}, {"vscintervalo", "Down", 0, ""}, {"vscintervalo", "Up", 32000, ""},
    {"vscintervalo", "Ctrl+Tab", 0, "Archivos"}};
// clang-format on

bool takesFocus(const ControlSpec& definition) {
    return definition.kind != ControlKind::Label && definition.kind != ControlKind::Frame &&
           !(definition.traits & Disabled);
}

// Relative luminance, as the web content guidelines measure contrast, offset by their 0.05.
qreal luminance(QRgb rgb) {
    const auto c = [](int v) {
        return v <= 10 ? v / 255.0 / 12.92 : std::pow((v / 255.0 + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * c(qRed(rgb)) + 0.7152 * c(qGreen(rgb)) + 0.0722 * c(qBlue(rgb)) + 0.05;
}

} // namespace

class tst_Keyboard : public QObject {
    Q_OBJECT

    std::unique_ptr<setup> window;
    QTabWidget* tabs() const { return Control<QTabWidget>(*window, "SSTab1"); }

    // The control of the table that holds the focus (a combo box's editor, the tab strip).
    QString focused() const {
        for (QWidget* w = QApplication::focusWidget(); w != window.get(); w = w->parentWidget())
            if (std::any_of(Controls().begin(), Controls().end(), [w](const ControlSpec& c) {
                    return w->objectName() == QLatin1String(c.name);
                }))
                return w->objectName();
        return {};
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
            int room = control->width(), needed = control->fontMetrics().horizontalAdvance(text);
            if (qobject_cast<QLabel*>(control) || qobject_cast<QCheckBox*>(control)) {
                needed = control->sizeHint().width();
                QVERIFY2(control->fontMetrics().height() <= control->height(), definition.name);
            } else if (auto* button = qobject_cast<QPushButton*>(control)) {
                QVERIFY2(!text.contains(QLatin1Char('&')), qPrintable(text)); // only marks Alt
                QStyleOptionButton option;
                option.initFrom(button);
                room = button->style()
                           ->subElementRect(QStyle::SE_PushButtonContents, &option, button)
                           .width();
            } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
                room = combo->lineEdit()->width() - 4; // the editor's own margins
            }
            QVERIFY2(needed <= room,
                     qPrintable(QStringLiteral("%1: %2 > %3").arg(text).arg(needed).arg(room)));
        }
        // The size the window was designed for, reached with the faces the project installs.
        QVERIFY2(QFontInfo(window->font()).pointSizeF() >= 8,
                 qPrintable(QFontInfo(window->font()).family()));
    }

    // Tab walks the shown page's controls in tab-index order, passing over disabled ones,
    // and round again; Alt+A and Alt+C work from every tab.
    void tabAndAlt_data() {
        QTest::addColumn<int>("tab");
        for (int tab = 0; tab < 3; ++tab)
            QTest::newRow(kTabCaptions[tab]) << tab;
    }
    void tabAndAlt() {
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
        focusOn(tabs());
        for (qsizetype i = 0; i <= expected.size();
             ++i, QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab))
            walked << focused();
        QCOMPARE(walked, expected << QStringLiteral("SSTab1"));

        std::unique_ptr<QSignalSpy> accept(clicks("cmdsetup")), cancel(clicks("cmdsetupcancelar"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(accept->count(), 1); // an accelerator shows the button going down first
        QTRY_VERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(cancel->count(), 1);
        QCOMPARE(accept->count(), 1);
    }

    // Only a focused button takes Enter and nothing Escape; the spinner steps with Up and
    // Down within 0 to 32000 and passes other keys on (Ctrl+Tab to the tab control).
    void keys_data() {
        QTest::addColumn<int>("row");
        for (const Key& k : kKeys)
            QTest::addRow("%s in %s from %d", k.key, k.control, k.interval) << int(&k - kKeys);
    }
    void keys() {
        QFETCH(int, row);
        const Key& k = kKeys[row];
        std::unique_ptr<QSignalSpy> accept(clicks("cmdsetup")), cancel(clicks("cmdsetupcancelar"));
        Control<UpDown>(*window, "vscintervalo")->setValue(k.interval);
        auto* interval = Control<QLineEdit>(*window, "txtintervalo");
        interval->clear();
        focusOn(Control(*window, k.control));
        const int page = tabs()->currentIndex();
        const QKeyCombination key = QKeySequence(QLatin1String(k.key))[0];
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        QStringList happened;
        if (accept->count())
            happened << QStringLiteral("Aceptar");
        if (cancel->count())
            happened << QStringLiteral("Cancelar");
        if (tabs()->currentIndex() != page)
            happened << tabs()->tabText(tabs()->currentIndex());
        if (!interval->text().isEmpty())
            happened << interval->text();
        QCOMPARE(happened.join(QLatin1Char(',')), QLatin1String(k.outcome));
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
        focusOn(
            Control(*window, name == QLatin1String("cmdsetup") ? "cmdsetupcancelar" : "cmdsetup"));
        const QImage without = window->grab().toImage();
        focusOn(Control(*window, name));
        const QImage with = window->grab().toImage();
        QWidget* shown =
            name == QLatin1String("SSTab1") ? tabs()->tabBar() : Control(*window, name);
        const QRect area =
            QRect(shown->mapTo(window.get(), QPoint()), shown->size()).adjusted(-3, -3, 3, 3);
        int seen = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                seen += qMax(luminance(without.pixel(x, y)), luminance(with.pixel(x, y))) >=
                        3 * qMin(luminance(without.pixel(x, y)), luminance(with.pixel(x, y)));
        QVERIFY2(seen >= 4 * shown->height(), qPrintable(QString::number(seen)));
    }

#ifndef Q_OS_WIN // tst_systemcolors_windows checks the system's own colours there
    // Dimmed and normal captions differ, and stay readable in a dark and in a light scheme.
    void captionColoursFollowTheScheme() {
        auto* check = Control<QCheckBox>(*window, "chkprogramapc");
        const auto caption = [check] {
            return check->palette().color(QPalette::Active, check->foregroundRole());
        };
        check->setChecked(true);
        const QColor normal = caption();
        check->setChecked(false);
        QVERIFY(caption() != normal);
        for (const QPalette& scheme :
             {QPalette(QColor(53, 53, 53), QColor(35, 35, 35)), QPalette()}) {
            QApplication::setPalette(scheme); // reaches the controls through the event loop
            QTRY_COMPARE(check->palette().color(QPalette::Window), scheme.color(QPalette::Window));
            const QColor background = check->palette().color(check->backgroundRole());
            for (bool checked : {true, false}) {
                check->setChecked(checked);
                QVERIFY(caption().alphaF() *
                            qAbs(caption().lightnessF() - background.lightnessF()) >=
                        0.35);
            }
            const QLineEdit* entry = Control<QLineEdit>(*window, "txtfile");
            QCOMPARE(entry->palette().color(QPalette::Disabled, QPalette::Base).lightness() < 128,
                     background.lightness() < 128);
        }
    }
#endif
};

QTEST_MAIN(tst_Keyboard)
#include "tst_keyboard.moc"
