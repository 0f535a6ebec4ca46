// The shipped program, started in a copy of the portable folder, installs its files.
#include "TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QTest>

using dazu::test::AppFolder;

class tst_Program : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstStartInstallsEverything() {
        AppFolder folder(AppFolder::CopyOfDist);
        QProcess dazu;
        dazu.setWorkingDirectory(QDir::rootPath()); // the program must not rely on it
        dazu.start(folder.file(dazu::test::ProgramFile("dazu")), {});
        QVERIFY(dazu.waitForStarted());

        // The default row is the last step before the window shows.
        QTRY_VERIFY_WITH_TIMEOUT(folder.exists(QStringLiteral("DAZU.CFG")), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(
            [&] {
                try {
                    return dazu::config::OpenConfiguration(folder.databasePath())
                        .Setup.RecordCount();
                } catch (const std::exception&) {
                    return std::int64_t{-1};
                }
            }(),
            std::int64_t{1}, 10000);
        QCOMPARE(dazu.state(), QProcess::Running);
        dazu.kill();
        dazu.waitForFinished();

        QCOMPARE(folder.read(QStringLiteral("DudodeZI410.bat")),
                 folder.read(QStringLiteral("DefDudodeZI410.bat")));
        QCOMPARE(folder.read(QStringLiteral("VavodidedER410.bat")),
                 folder.read(QStringLiteral("DefVavodidedER410.bat")));
        QVERIFY(folder.read(QStringLiteral("DudodeZI410.bat")).contains("rem"));
        QVERIFY(folder.read(QStringLiteral("DudodeZI410.bat")).endsWith("\r\n"));
        QCOMPARE(dazu::test::SetupField(folder.databasePath(), "pathdest"),
                 dazu::config::Variant(dazu::test::ProgramPath(folder.path()).toStdString()));
    }
};

QTEST_GUILESS_MAIN(tst_Program)
#include "tst_program.moc"
