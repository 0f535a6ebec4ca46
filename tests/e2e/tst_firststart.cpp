// A user starts the program for the first time, from a fresh copy of the portable folder.
#include "DazuRun.h"
#include "SettingsWindow.h"
#include "TestSupport.h"
#include "XServer.h"

using namespace dazu::e2e;
using dazu::test::AppFolder;

class tst_FirstStart : public QObject {
    Q_OBJECT

    XServer x_;

private Q_SLOTS:
    void initTestCase() { E2E_SKIP_UNLESS(x_.start()); }

    // Started from another current folder, the program finds its own, installs there and
    // opens its window in the middle of the screen. What is installed is the start-up
    // sequence's test; here it shows that the program found its folder.
    void firstStartOpensTheWindowCentred() {
        AppFolder folder(AppFolder::CopyOfDist);
        DazuRun dazu(x_, folder.path());
        const auto window = dazu.startShowing(kWindowTitle);
        E2E_VERIFY(window);
        QCOMPARE(dazu::test::SetupField(folder.databasePath(), "pathdest"),
                 dazu::config::Variant(dazu::test::ProgramPath(folder.path()).toStdString()));

        const auto area = dazu.desktop().clientArea(*window);
        E2E_VERIFY(area);
        QCOMPARE(area->size(), kClientArea);
        // No window manager runs here: the program alone chose the place.
        const QPoint offCentre = area->center() - QRect(QPoint(), kScreenSize).center();
        QVERIFY2(qAbs(offCentre.x()) <= 1 && qAbs(offCentre.y()) <= 1,
                 qPrintable(QStringLiteral("client area at %1,%2").arg(area->x()).arg(area->y())));
    }
};

QTEST_GUILESS_MAIN(tst_FirstStart)
#include "tst_firststart.moc"
