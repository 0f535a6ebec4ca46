// files list, add and remove on both lists, with the window's seek-before-add rule.
#include "CliFixture.h"
#include "FileList.h"

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

    // One letter-case rule for every letter, the window's: a name already stored under another
    // letter case is refused; anything else is another name. Removing a stored name by its
    // bytes removes that record, whatever bytes it holds.
    void sameName_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<bool>("same");
        QTest::newRow("A-Z") << QByteArray("a.txt") << QByteArray("A.TXT") << true;
        QTest::newRow("accented letters")
            << QByteArray("año_été.txt") << QByteArray("AÑO_ÉTÉ.txt") << true;
        QTest::newRow("Greek and Cyrillic")
            << QByteArray("λόγος_мир") << QByteArray("ΛΌΓΟΣ_МИР") << true;
        QTest::newRow("capital sharp s") << QByteArray("straße") << QByteArray("STRAẞE") << true;
        QTest::newRow("Kelvin sign")
            << QByteArray("k.txt") << QByteArray("\xE2\x84\xAA.TXT") << true;
        QTest::newRow("not UTF-8, letters around")
            << QByteArray("a\xF1o") << QByteArray("A\xF1O") << true;
        QTest::newRow("other bytes that are not UTF-8")
            << QByteArray("a\xF1") << QByteArray("a\xF2") << false;
        QTest::newRow("a space more") << QByteArray("a.txt") << QByteArray("a.txt ") << false;
        QTest::newRow("dotted capital I") << QByteArray("i.txt") << QByteArray("İ.txt") << false;
    }
    void sameName() {
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, typed);
        QFETCH(bool, same);
        CliFolder folder;
        folder.addNames("Files", std::vector<std::string>{stored.toStdString()});
        const auto added =
            folder.run(std::vector<std::string>{"files", "add", "hh-pc", typed.toStdString()});
        QCOMPARE(added.status, same ? 1 : 0);
        QCOMPARE(added.err.trimmed(),
                 same ? QStringLiteral("dazucfg: Entrada ya existe") : QString());
        const auto removed =
            folder.run(std::vector<std::string>{"files", "remove", "hh-pc", stored.toStdString()});
        QCOMPARE(removed.status, 0);
        auto tables = dazu::config::OpenConfiguration(folder.databasePath());
        tables.Files.Index("FILE");
        QCOMPARE(dazu::config::FileNames(tables.Files),
                 same ? std::vector<std::string>{} : std::vector<std::string>{typed.toStdString()});
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
