// Where there are no Windows system colours, the references follow the palette: dimmed and
// normal captions stay readable in a light and in a dark scheme.
#include "ControlByName.h"
#include "setup.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

using namespace dazu::dialog;

namespace {

// How far a caption stands out from its background, 0 to 1, a translucent colour blended.
double standsOut(const QColor& text, const QColor& background) {
    return text.alphaF() * qAbs(text.lightnessF() - background.lightnessF());
}

} // namespace

class tst_SystemColorsPosix : public QObject {
    Q_OBJECT

    std::unique_ptr<setup> window;

private Q_SLOTS:
    void init() {
        window = std::make_unique<setup>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() {
        window.reset();
        QApplication::setPalette(QPalette());
    }

    // Dimmed and normal captions stay readable in a light and in a dark scheme, and follow a
    // change of scheme while the window is open.
    void captionColoursFollowTheScheme() {
        auto* check = dazu::test::Control<QCheckBox>(*window, "chkprogramapc");
        auto* entry = dazu::test::Control<QLineEdit>(*window, "txtfile");
        const auto caption = [check] {
            return check->palette().color(QPalette::Active, check->foregroundRole());
        };
        check->setChecked(true);
        const QColor normal = caption();
        check->setChecked(false);
        QVERIFY(caption() != normal); // dimmed
        for (const QPalette& scheme :
             {QPalette(QColor(53, 53, 53), QColor(35, 35, 35)), QPalette()}) {
            QApplication::setPalette(scheme); // reaches the controls through the event loop
            QTRY_COMPARE(check->palette().color(QPalette::Window),
                         QApplication::palette().color(QPalette::Window));
            const QColor background = check->palette().color(check->backgroundRole());
            // The dimmed caption follows the scheme by itself, then both states are readable.
            QVERIFY2(standsOut(caption(), background) >= 0.35,
                     qPrintable(caption().name(QColor::HexArgb)));
            check->setChecked(true);
            QVERIFY2(standsOut(caption(), background) >= 0.35,
                     qPrintable(caption().name(QColor::HexArgb)));
            check->setChecked(false);
            QCOMPARE(entry->palette().color(QPalette::Disabled, QPalette::Base).lightness() < 128,
                     background.lightness() < 128);
        }
    }
};

QTEST_MAIN(tst_SystemColorsPosix)
#include "tst_systemcolors_posix.moc"
