// files list, add and remove on both lists, with the window's seek-before-add rule.
#include "CliFixture.h"

#include <QTest>

using dazu::test::CliFolder;
using dazu::test::Words;

class tst_CliFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Files holds a.txt and b.txt before each command.
    void edit_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("fpchh");
        const QStringList ab = Words({"a.txt", "b.txt"}), none;
        QTest::newRow("add to hh-pc") << Words({"add", "hh-pc", " C 1.txt"}) << ""
                                      << Words({" C 1.txt", "a.txt", "b.txt"}) << none;
        QTest::newRow("add to pc-hh")
            << Words({"add", "pc-hh", "a.txt"}) << "" << ab << Words({"a.txt"});
        QTest::newRow("duplicate")
            << Words({"add", "hh-pc", "B.TXT"}) << "Entrada ya existe" << ab << none;
        QTest::newRow("after --") << Words({"add", "pc-hh", "--", "-x"}) << "" << ab
                                  << Words({"-x"});
        QTest::newRow("remove") << Words({"remove", "hh-pc", "A.TXT"}) << "" << Words({"b.txt"})
                                << none;
        QTest::newRow("remove missing")
            << Words({"remove", "pc-hh", "a.txt"}) << "Entrada no existe: a.txt" << ab << none;
    }
    void edit() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        QFETCH(QStringList, files);
        QFETCH(QStringList, fpchh);
        CliFolder folder;
        folder.addNames("Files", Words({"a.txt", "b.txt"}));
        const auto result = folder.run(Words({"files"}) + arguments);
        QCOMPARE(result.status, error.isEmpty() ? 0 : 1);
        QCOMPARE(result.err.trimmed(),
                 error.isEmpty() ? error : QStringLiteral("dazucfg: ") + error);
        QCOMPARE(dazu::test::ListNames(folder.databasePath(), "Files"), files);
        QCOMPARE(dazu::test::ListNames(folder.databasePath(), "FPCHH"), fpchh);
    }

    void listInIndexOrder() {
        CliFolder folder;
        folder.addNames("FPCHH", Words({"c.txt", "B.txt", "a.txt"}));
        QCOMPARE(folder.run(Words({"files", "list", "pc-hh"})).out,
                 QStringLiteral("a.txt\nB.txt\nc.txt\n"));
    }
};

QTEST_GUILESS_MAIN(tst_CliFiles)
#include "tst_cli_files.moc"
