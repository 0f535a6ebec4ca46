// Both list editors store every addition and deletion at once, in their own table.
#include "SystemColor.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

struct Editor {
    const char* list;
    const char* entry;
    const char* add;
    const char* remove;
    const char* table;
    const char* duplicateTitle;
};
const Editor kEditors[] = {{"List1", "txtfile", "cmmagregar", "cmmborrar", "Files", "Vozu Rodari"},
                           {"List2", "txtfile2", "cmmagregar2", "cmmborrar2", "FPCHH", "DAZU"}};

QStringList items(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

} // namespace

class tst_FileLists : public QObject {
    Q_OBJECT

    WindowFixture* f = nullptr;
    const Editor* e = nullptr;

    QListWidget* list() const { return f->control<QListWidget>(e->list); }
    QLineEdit* entry() const { return f->control<QLineEdit>(e->entry); }
    QPushButton* addButton() const { return f->control<QPushButton>(e->add); }
    QStringList stored() const { return dazu::test::ListNames(f->folder.databasePath(), e->table); }

    // What a user does: "Agregar", type the name, Enter.
    void add(const QString& name) const {
        QTest::mouseClick(addButton(), Qt::LeftButton);
        QVERIFY(entry()->isEnabled());
        QTest::sendKeyEvent(QTest::Click, entry(), Qt::Key_unknown, name, Qt::NoModifier);
        QTest::keyClick(entry(), Qt::Key_Return);
    }
    void verifyIdle() const {
        QVERIFY(!entry()->isEnabled());
        QVERIFY(entry()->text().isEmpty());
        QVERIFY(addButton()->isEnabled());
        QCOMPARE(dazu::dialog::BackColor(entry()), quint32{dazu::dialog::COLOR_BTNFACE});
    }

    void editorColumn() {
        QTest::addColumn<int>("editor");
        QTest::newRow("hand-held to PC") << 0;
        QTest::newRow("PC to hand-held") << 1;
    }
    void openWith(WindowFixture& fixture) {
        QFETCH(int, editor);
        f = &fixture;
        e = &kEditors[editor];
        f->load();
    }

private Q_SLOTS:
    void addModeToggles_data() { editorColumn(); }
    void addModeToggles() {
        WindowFixture fixture;
        openWith(fixture);
        verifyIdle();
        QTest::mouseClick(addButton(), Qt::LeftButton);
        QVERIFY(entry()->isEnabled());
        QVERIFY(!addButton()->isEnabled());
        QCOMPARE(dazu::dialog::BackColor(entry()), quint32{dazu::dialog::COLOR_WINDOW});
        QTest::keyClick(entry(), Qt::Key_Escape); // only Enter leaves add mode
        QVERIFY(entry()->isEnabled());
    }

    // Names are stored exactly as typed, the moment Enter is pressed, and appended last.
    void namesAreStoredAsTyped_data() {
        QTest::addColumn<int>("editor");
        QTest::addColumn<QString>("name");
        for (int editor : {0, 1}) {
            const QByteArray side = editor ? "PC to hand-held: " : "hand-held to PC: ";
            QTest::newRow(side + "plain") << editor << "ZZ.TXT";
            QTest::newRow(side + "spaces kept") << editor << "  datos 1.txt ";
            QTest::newRow(side + "empty name") << editor << "";
            QTest::newRow(side + "quotes and pattern characters") << editor << "a'b\"%_;--.txt";
            QTest::newRow(side + "accents") << editor << "Añadido Ünico.txt";
        }
    }
    void namesAreStoredAsTyped() {
        QFETCH(QString, name);
        WindowFixture fixture;
        fixture.addName(kEditors[0].table, "aaa.txt");
        fixture.addName(kEditors[1].table, "aaa.txt");
        openWith(fixture);
        add(name);
        QVERIFY(fixture.messages.isEmpty());
        QCOMPARE(items(list()), (QStringList{QStringLiteral("aaa.txt"), name}));
        QVERIFY(stored().contains(name));
        verifyIdle();
    }

    void aDuplicateIsRefused_data() { editorColumn(); }
    void aDuplicateIsRefused() {
        WindowFixture fixture;
        fixture.addName("Files", "uno.txt");
        fixture.addName("FPCHH", "uno.txt"); // the same name may stand in both lists
        openWith(fixture);
        add(QStringLiteral("UNO.txt"));
        QCOMPARE(
            fixture.messages,
            QStringList{
                QStringLiteral("%1|48|Entrada ya existe").arg(QLatin1String(e->duplicateTitle))});
        QCOMPARE(items(list()), QStringList{QStringLiteral("uno.txt")});
        QCOMPARE(stored(), QStringList{QStringLiteral("uno.txt")});
        verifyIdle();
        add(QStringLiteral("dos.txt")); // idle again: the next name goes in at once
        QCOMPARE(stored().size(), 2);
    }

    // Enter, stored or refused, leaves the focus on "Agregar": a second Enter, as from a key
    // held too long, starts the next name and deletes nothing.
    void aSecondEnterStartsTheNextName_data() {
        QTest::addColumn<int>("editor");
        QTest::addColumn<QString>("name");
        for (int editor : {0, 1}) {
            const QByteArray side = editor ? "PC to hand-held: " : "hand-held to PC: ";
            QTest::newRow(side + "stored") << editor << "nuevo.txt";
            QTest::newRow(side + "already listed") << editor << "uno.txt";
        }
    }
    void aSecondEnterStartsTheNextName() {
        QFETCH(QString, name);
        WindowFixture fixture;
        fixture.addName("Files", "uno.txt");
        fixture.addName("FPCHH", "uno.txt");
        openWith(fixture);
        fixture.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fixture.window.get()));
        fixture.control<QTabWidget>("SSTab1")->setCurrentIndex(2);
        list()->setCurrentRow(0); // what "&Borrar" would delete
        add(name);
        const QStringList names = stored();
        QCOMPARE(QApplication::focusWidget(), addButton());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(stored(), names);
        QVERIFY(items(list()).contains(QStringLiteral("uno.txt")));
        QVERIFY(entry()->isEnabled());
        QCOMPARE(QApplication::focusWidget(), entry());
    }

    void deleting_data() { editorColumn(); }
    void deleting() {
        WindowFixture fixture;
        for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
            fixture.addName(kEditors[0].table, name);
            fixture.addName(kEditors[1].table, name);
        }
        openWith(fixture);
        auto* remove = f->control<QPushButton>(e->remove);

        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(fixture.messages,
                 QStringList{QStringLiteral("DAZU|64|Seleccione un elemento para borrar")});

        list()->setCurrentRow(1);
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(stored(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("c.txt")}));
        QCOMPARE(items(list()), (QStringList{QStringLiteral("a.txt"), QStringLiteral("c.txt")}));
        QVERIFY(list()->selectedItems().isEmpty());

        // A record already deleted elsewhere: the item goes, without a message.
        {
            auto tables = fixture.database();
            auto& table = std::string_view(e->table) == "Files" ? tables.Files : tables.FPCHH;
            table.Index("FILE");
            table.Seek("=", "a.txt");
            table.Delete();
        }
        list()->setCurrentRow(0);
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(items(list()), QStringList{QStringLiteral("c.txt")});
        QCOMPARE(fixture.messages.size(), 1);

        list()->setCurrentRow(0); // the last one: the table ends empty, and takes names again
        QTest::mouseClick(remove, Qt::LeftButton);
        QVERIFY(stored().isEmpty());
        add(QStringLiteral("d.txt"));
        QCOMPARE(stored(), QStringList{QStringLiteral("d.txt")});
        QVERIFY(!fixture.failed());
    }

    void theEditorsAreIndependent() {
        WindowFixture fixture;
        setup& window = fixture.load();
        QTest::mouseClick(fixture.control<QPushButton>("cmmagregar"), Qt::LeftButton);
        QTest::mouseClick(fixture.control<QPushButton>("cmmagregar2"), Qt::LeftButton);
        QTest::keyClicks(fixture.control<QLineEdit>("txtfile2"), QStringLiteral("solo2.txt"));
        QTest::keyClick(fixture.control<QLineEdit>("txtfile2"), Qt::Key_Return);
        QVERIFY(fixture.control<QLineEdit>("txtfile")->isEnabled()); // still in add mode
        QCOMPARE(dazu::test::ListNames(fixture.folder.databasePath(), "FPCHH"),
                 QStringList{QStringLiteral("solo2.txt")});
        QVERIFY(dazu::test::ListNames(fixture.folder.databasePath(), "Files").isEmpty());
        QTest::mouseClick(fixture.control<QPushButton>("cmdsetupcancelar"), Qt::LeftButton);
        QVERIFY(!window.isVisible()); // list changes stay whatever closes the window
        QCOMPARE(dazu::test::ListNames(fixture.folder.databasePath(), "FPCHH").size(), 1);
    }
};

QTEST_MAIN(tst_FileLists)
#include "tst_filelists.moc"
