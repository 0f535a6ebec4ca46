// A user starts the program for the first time, from a fresh copy of the portable folder.
#include "DazuRun.h"
#include "SettingsWindow.h"
#include "StoredSettings.h"
#include "TestSupport.h"
#include "XServer.h"

using namespace dazu::e2e;
using dazu::test::AppFolder;

class tst_FirstStart : public QObject {
    Q_OBJECT

    XServer x_;

private Q_SLOTS:
    void initTestCase() {
        E2E_SKIP_UNLESS(x_.start());
    }

    void firstStartInstallsItsFilesAndOpensTheWindow() {
        AppFolder folder(AppFolder::CopyOfDist);
        DazuRun dazu(x_, folder.path());
        E2E_VERIFY(dazu.startShowing(kWindowTitle));
        E2E_VERIFY(dazu.desktop().screenshot(QStringLiteral("first-start")));

        for (const QString& batch :
             {QStringLiteral("DudodeZI410.bat"), QStringLiteral("VavodidedER410.bat")})
            QCOMPARE(folder.read(batch), folder.read(QStringLiteral("Def") + batch));
        E2E_VERIFY(StoredSettingsRow(folder.file(QStringLiteral("DAZU.CFG")))); // exactly one row
        QCOMPARE(dazu::test::SetupField(folder.databasePath(), "pathdest"),
                 dazu::config::Variant(dazu::test::ProgramPath(folder.path()).toStdString()));
    }

    void windowOpensCentredWithItsClientArea() {
        AppFolder folder(AppFolder::CopyOfDist);
        DazuRun dazu(x_, folder.path());
        const auto window = dazu.startShowing(kWindowTitle);
        E2E_VERIFY(window);

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
