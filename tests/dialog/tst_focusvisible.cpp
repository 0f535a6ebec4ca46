// Wherever the focus is, the user sees it: the control with the focus looks clearly different
// from the same control without it, even before the keyboard was first used.
#include "ControlByName.h"
#include "Layout.h"
#include "setup.h"

#include <cmath>
#include <QApplication>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using namespace dazu::dialog;

namespace {

// The contrast ratio of two colours as the web content guidelines measure it.
qreal luminance(QRgb rgb) {
    const auto channel = [](int value) {
        const qreal c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) +
           0.0722 * channel(qBlue(rgb));
}
qreal contrast(QRgb a, QRgb b) {
    const qreal la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// The pixels of the area that the focus changed by at least 3:1, the least contrast asked of
// a focus cue against the same place without the focus.
int changedPixels(const QImage& without, const QImage& with, const QRect& area) {
    int changed = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (contrast(without.pixel(x, y), with.pixel(x, y)) >= 3.0)
                ++changed;
    return changed;
}

} // namespace

class tst_FocusVisible : public QObject {
    Q_OBJECT

    std::unique_ptr<setup> window;

private Q_SLOTS:
    void init() {
        window = std::make_unique<setup>();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup() { window.reset(); }

    // Every control that takes the focus; the tab control stands for its strip of tabs.
    void focusIsSeen_data() {
        QTest::addColumn<QString>("name");
        for (const ControlSpec& definition : Controls())
            if (definition.kind != ControlKind::Label && definition.kind != ControlKind::Frame &&
                !(definition.traits & Disabled))
                QTest::newRow(definition.name) << QString::fromLatin1(definition.name);
    }
    void focusIsSeen() {
        QFETCH(QString, name);
        auto* tabs = dazu::test::Control<QTabWidget>(*window, "SSTab1");
        QWidget* control = dazu::test::Control(*window, name);
        for (int page = 0; page < tabs->count(); ++page)
            if (tabs->widget(page)->isAncestorOf(control))
                tabs->setCurrentIndex(page);
        QWidget* elsewhere = dazu::test::Control(
            *window, name == QLatin1String("cmdsetup") ? "cmdsetupcancelar" : "cmdsetup");
        elsewhere->setFocus(Qt::OtherFocusReason);
        QTRY_VERIFY(elsewhere->hasFocus());
        const QImage without = window->grab().toImage();

        // Not by Tab: the cue must not wait for the keyboard, as at start.
        control->setFocus(Qt::OtherFocusReason);
        QTRY_VERIFY(control->hasFocus() || control->isAncestorOf(QApplication::focusWidget()));
        const QImage with = window->grab().toImage();

        // The control and a few pixels around it; for the tab control, its strip of tabs.
        QWidget* shown = tabs == control ? tabs->tabBar() : control;
        const QRect area =
            QRect(shown->mapTo(window.get(), QPoint()), shown->size()).adjusted(-3, -3, 3, 3);
        // At least a two-pixel line down both sides of the control.
        const int seen = changedPixels(without, with, area);
        QVERIFY2(
            seen >= 4 * shown->height(),
            qPrintable(
                QStringLiteral("%1 pixels changed, %2 wanted").arg(seen).arg(4 * shown->height())));
    }
};

QTEST_MAIN(tst_FocusVisible)
#include "tst_focusvisible.moc"
