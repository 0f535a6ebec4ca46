// Both list editors store every addition and deletion at once, in their own table.
#include "ListRows.h"
#include "SystemColor.h"
#include "WindowFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
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

using dazu::test::ClickRow;
using dazu::test::SelectedRows;
using dazu::test::ShownRows;

} // namespace

class tst_FileLists : public QObject {
    Q_OBJECT

    WindowFixture* f = nullptr;
    const Editor* e = nullptr;

    QAbstractItemView* list() const { return f->control<QAbstractItemView>(e->list); }
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
        QCOMPARE(dazu::dialog::BackColor(entry()), quint32{dazu::dialog::ButtonFaceColor});
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
        QCOMPARE(dazu::dialog::BackColor(entry()), quint32{dazu::dialog::WindowColor});
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
        QCOMPARE(ShownRows(*list()), (QStringList{QStringLiteral("aaa.txt"), name}));
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
        QCOMPARE(ShownRows(*list()), QStringList{QStringLiteral("uno.txt")});
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
        ClickRow(*list(), 0); // what "&Borrar" would delete
        add(name);
        const QStringList names = stored();
        QCOMPARE(QApplication::focusWidget(), addButton());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(stored(), names);
        QVERIFY(ShownRows(*list()).contains(QStringLiteral("uno.txt")));
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

        ClickRow(*list(), 1);
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(stored(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("c.txt")}));
        QCOMPARE(ShownRows(*list()),
                 (QStringList{QStringLiteral("a.txt"), QStringLiteral("c.txt")}));
        QVERIFY(SelectedRows(*list()).isEmpty());

        // A record already deleted elsewhere: the item goes, without a message.
        {
            auto tables = fixture.database();
            auto& table = std::string_view(e->table) == "Files" ? tables.Files : tables.FPCHH;
            table.Index("FILE");
            table.Seek("=", "a.txt");
            table.Delete();
        }
        ClickRow(*list(), 0);
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(ShownRows(*list()), QStringList{QStringLiteral("c.txt")});
        QCOMPARE(fixture.messages.size(), 1);

        ClickRow(*list(), 0); // the last one: the table ends empty, and takes names again
        QTest::mouseClick(remove, Qt::LeftButton);
        QVERIFY(stored().isEmpty());
        add(QStringLiteral("d.txt"));
        QCOMPARE(stored(), QStringList{QStringLiteral("d.txt")});
        QVERIFY(!fixture.failed());
    }

    // A name another program stored in bytes that are not UTF-8 shows with replacement
    // characters, and "&Borrar" still finds and deletes its record.
    void aNameInAnyBytesIsDeleted_data() { editorColumn(); }
    void aNameInAnyBytesIsDeleted() {
        WindowFixture fixture;
        fixture.addName(kEditors[0].table, "caf\xe9.txt"); // Latin-1, not UTF-8
        fixture.addName(kEditors[1].table, "caf\xe9.txt");
        openWith(fixture);
        QCOMPARE(ShownRows(*list()), QStringList{QStringLiteral("caf\uFFFD.txt")});
        ClickRow(*list(), 0);
        QTest::mouseClick(f->control<QPushButton>(e->remove), Qt::LeftButton);
        QVERIFY(ShownRows(*list()).isEmpty());
        QVERIFY(stored().isEmpty());
        QVERIFY(fixture.messages.isEmpty());
    }

    // The keys move the one selected row, and the list scrolls to keep it in sight.
    void keyboardAndMouseSelectOneRow_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("selected");
        QTest::newRow("down") << QList<int>{Qt::Key_Down, Qt::Key_Down} << 7;
        QTest::newRow("up") << QList<int>{Qt::Key_Up} << 4;
        QTest::newRow("end") << QList<int>{Qt::Key_End} << 59;
        QTest::newRow("end, home") << QList<int>{Qt::Key_End, Qt::Key_Home} << 0;
        QTest::newRow("past the end") << QList<int>{Qt::Key_End, Qt::Key_Down} << 59;
        QTest::newRow("left and right stay") << QList<int>{Qt::Key_Left, Qt::Key_Right} << 5;
        QTest::newRow("page down, page up") << QList<int>{Qt::Key_PageDown, Qt::Key_PageUp} << 5;
    }
    void keyboardAndMouseSelectOneRow() {
        QFETCH(QList<int>, keys);
        QFETCH(int, selected);
        WindowFixture fixture;
        for (int i = 0; i < 60; ++i)
            fixture.addName("Files",
                            qPrintable(QStringLiteral("n%1.txt").arg(i, 2, 10, QLatin1Char('0'))));
        fixture.load();
        auto* names = fixture.control<QAbstractItemView>("List1");
        fixture.control<QTabWidget>("SSTab1")->setCurrentIndex(2);
        ClickRow(*names, 5);
        QCOMPARE(SelectedRows(*names), QList<int>{5});
        for (int key : keys)
            QTest::keyClick(names, Qt::Key(key));
        QCOMPARE(SelectedRows(*names), QList<int>{selected});
        const QModelIndex shown = names->model()->index(selected, 0);
        QVERIFY(names->viewport()->rect().contains(names->visualRect(shown)));
        QCOMPARE(names->indexAt(names->visualRect(shown).center()), shown);
    }

    // A screen reader meets a list whose items read as the names.
    void aScreenReaderReadsTheNames() {
        WindowFixture fixture;
        fixture.addName("FPCHH", "uno.txt");
        fixture.addName("FPCHH", "dos.txt");
        fixture.load();
        QAccessibleInterface* list =
            QAccessible::queryAccessibleInterface(fixture.control<QAbstractItemView>("List2"));
        QVERIFY(list);
        QCOMPARE(list->role(), QAccessible::List);
        QCOMPARE(list->childCount(), 2);
        QCOMPARE(list->child(0)->role(), QAccessible::ListItem);
        QCOMPARE(list->child(0)->text(QAccessible::Name), QStringLiteral("dos.txt"));
        QCOMPARE(list->child(1)->text(QAccessible::Name), QStringLiteral("uno.txt"));
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
