// The window as designed, before loading: its captions readable at this machine's fonts, and
// reachable by the keyboard. What the controls say and where they stand is read from the
// running program as a screen reader reads it (tests/screenreader) and where the end-to-end
// tests click, not compared with the table the window is built from.
#include "ControlByName.h"
#include "Layout.h"
#include "setup.h"

#include <algorithm>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStyleOption>
#include <QTabWidget>
#include <QTest>

using namespace dazu::dialog;

namespace {

const ControlSpec& specOf(const QString& name) {
    for (const ControlSpec& definition : Controls())
        if (name == QLatin1String(definition.name))
            return definition;
    qFatal("no control %s in the table", qPrintable(name));
}

// The control of the table that holds the widget with the focus (a combo box's editor, the
// tab control's strip).
QString focusedControl(const setup& window) {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (w != &window &&
            std::any_of(Controls().begin(), Controls().end(), [w](const ControlSpec& definition) {
                return w->objectName() == QLatin1String(definition.name);
            }))
            return w->objectName();
    return QStringLiteral("<none>");
}

// The page a control stands on, or -1 for the window's own controls.
int pageOf(const ControlSpec& definition) {
    for (const ControlSpec* s = &definition; s->container.name;
         s = &specOf(QLatin1String(s->container.name)))
        if (s->container.page >= 0)
            return s->container.page;
    return -1;
}

} // namespace

class tst_Layout : public QObject {
    Q_OBJECT

    std::unique_ptr<setup> window;
    QTabWidget* tabs() const { return dazu::test::Control<QTabWidget>(*window, "SSTab1"); }

    // The buttons' handlers need a loaded window; these tests only watch the clicks.
    QSignalSpy* watchClicks(const char* name) {
        auto* button = dazu::test::Control<QPushButton>(*window, name);
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
    void cleanup() { window.reset(); }

    void window_() {
        // Of the captions, only the two boxes that delete transferred files stand out in bold.
        for (const ControlSpec& definition : Controls())
            QCOMPARE(dazu::test::Control(*window, QLatin1String(definition.name))->font().bold(),
                     QByteArray(definition.name).startsWith("chkborrarhornet"));
        QCOMPARE(window->windowTitle(), QStringLiteral("DAZU - Configuración"));
        QCOMPARE(window->size(), QSize(560, 342));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        const QList<QSize> sizes = window->windowIcon().availableSizes();
        QVERIFY(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(32, 32)));
        const QPoint offCentre =
            window->frameGeometry().center() - window->screen()->availableGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
    }

    // Measured with the controls' own metrics, as Qt lays out their texts.
    void noCaptionCutOff() {
        for (const ControlSpec& definition : Controls()) {
            QWidget* control = dazu::test::Control(*window, QLatin1String(definition.name));
            const QFontMetrics metrics = control->fontMetrics();
            const QString text = VisibleText(definition.caption);
            int room = control->width();
            int needed = metrics.horizontalAdvance(text);
            if (qobject_cast<QLabel*>(control) || qobject_cast<QCheckBox*>(control)) {
                needed = control->sizeHint().width();
                QVERIFY2(metrics.height() <= control->height(), definition.name);
            } else if (auto* button = qobject_cast<QPushButton*>(control)) {
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
        for (const ControlSpec& definition : Controls())
            if (definition.kind != ControlKind::Label && definition.kind != ControlKind::Frame &&
                !(definition.traits & Disabled) &&
                (pageOf(definition) < 0 || pageOf(definition) == tab))
                order.push_back(&definition);
        std::sort(order.begin(), order.end(),
                  [](auto* a, auto* b) { return a->tabIndex < b->tabIndex; });
        QStringList expected, walked;
        for (const ControlSpec* definition : order)
            expected << QLatin1String(definition->name);
        tabs()->setFocus(Qt::TabFocusReason);
        for (qsizetype i = 0; i < expected.size(); ++i) {
            walked << focusedControl(*window);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(walked, expected);
        QCOMPARE(focusedControl(*window), QStringLiteral("SSTab1")); // round again
    }

    // Neither button is a default or cancel button: only a focused button takes Enter.
    void enterAndEscape_data() {
        QTest::addColumn<QString>("focused");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("accepted");
        QTest::addColumn<int>("cancelled");
        for (const char* name :
             {"Txtprogramapc", "chkprogramapc", "txtintervalo", "ChkLectura", "cmbpuerto"}) {
            QTest::addRow("Enter in %s", name) << name << int(Qt::Key_Return) << 0 << 0;
            QTest::addRow("Escape in %s", name) << name << int(Qt::Key_Escape) << 0 << 0;
        }
        QTest::newRow("Enter on Aceptar") << "cmdsetup" << int(Qt::Key_Return) << 1 << 0;
        QTest::newRow("Enter on Cancelar") << "cmdsetupcancelar" << int(Qt::Key_Enter) << 0 << 1;
        QTest::newRow("Escape on Aceptar") << "cmdsetup" << int(Qt::Key_Escape) << 0 << 0;
    }
    void enterAndEscape() {
        QFETCH(QString, focused);
        QFETCH(int, key);
        QFETCH(int, accepted);
        QFETCH(int, cancelled);
        std::unique_ptr<QSignalSpy> accept(watchClicks("cmdsetup")),
            cancel(watchClicks("cmdsetupcancelar"));
        QWidget* control = dazu::test::Control(*window, focused);
        tabs()->setCurrentIndex(qMax(0, pageOf(specOf(focused))));
        control->setFocus();
        QTRY_VERIFY(control->hasFocus() || control->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(accept->count(), accepted);
        QCOMPARE(cancel->count(), cancelled);
        QVERIFY(window->isVisible());
    }

    void altAcceleratorsOnEveryTab_data() { tabOrder_data(); }
    void altAcceleratorsOnEveryTab() {
        QFETCH(int, tab);
        std::unique_ptr<QSignalSpy> accept(watchClicks("cmdsetup")),
            cancel(watchClicks("cmdsetupcancelar"));
        tabs()->setCurrentIndex(tab);
        tabs()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(accept->count(), 1); // an accelerator shows the button going down first
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(cancel->count(), 1);
        QCOMPARE(accept->count(), 1);
    }
};

QTEST_MAIN(tst_Layout)
#include "tst_layout.moc"
