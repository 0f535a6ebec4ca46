// The window's handlers as a user meets them, on a copy of the portable folder: loading, the
// controls that follow others, "&Aceptar" and "&Cancelar", and the two list editors.
#include "FolderChooser.h"
#include "ListRows.h"
#include "Platform.h"
#include "SystemColor.h"
#include "UpDown.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <map>

using dazu::config::Variant;
using dazu::dialog::UpDown;
using dazu::test::Control;

Q_DECLARE_METATYPE(Variant)
Q_DECLARE_METATYPE(QUrl)

namespace {

const QString kGrey = QString::number(dazu::dialog::InactiveCaptionColor, 16);
const QString kText = QString::number(dazu::dialog::MenuTextColor, 16);

// One aspect of a control as text: checked, enabled, text, items, current, fore.
QString aspectOf(const setup& window, const QString& name, const QString& aspect) {
    QWidget* control = Control(window, name);
    if (aspect == QLatin1String("enabled"))
        return control->isEnabled() ? QStringLiteral("yes") : QStringLiteral("no");
    if (aspect == QLatin1String("fore"))
        return QString::number(dazu::dialog::ForeColor(control), 16);
    if (auto* box = qobject_cast<QCheckBox*>(control))
        return box->isChecked() ? QStringLiteral("yes") : QStringLiteral("no");
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text();
    if (auto* spinner = qobject_cast<UpDown*>(control))
        return QString::number(spinner->value());
    if (auto* tabs = qobject_cast<QTabWidget*>(control))
        return tabs->tabText(tabs->currentIndex());
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        if (aspect == QLatin1String("current")) // the choice the drop-down and Down start from
            return QString::number(combo->currentIndex());
        return aspect == QLatin1String("items") ? items.join(QLatin1Char(','))
                                                : combo->currentText();
    }
    return dazu::test::ShownRows(*qobject_cast<QAbstractItemView*>(control)).join(QLatin1Char(','));
}

// What a user does: "name" clicks a control, "name=text" types into it, "vscintervalo^" and
// "vscintervalov" click the spinner's arrows.
void act(setup& window, const QString& action) {
    const QString name = action.section(QLatin1Char('='), 0, 0);
    if (action.contains(QLatin1Char('=')))
        return dazu::test::TypeText(Control(window, name), action.section(QLatin1Char('='), 1));
    if (name.startsWith(QLatin1String("vscintervalo"))) {
        auto* spinner = Control<UpDown>(window, "vscintervalo");
        return QTest::mouseClick(spinner, Qt::LeftButton, {},
                                 {spinner->width() / 2, name.endsWith(QLatin1Char('^')) ? 2 : spinner->height() - 3});
    }
    QTest::mouseClick(Control(window, name), Qt::LeftButton);
}

} // namespace

class tst_Window : public QObject {
    Q_OBJECT

    void expect(const setup& window, const QStringList& checks) {
        for (const QString& check : checks) {
            const QString target = check.section(QLatin1Char('='), 0, 0);
            QCOMPARE(target + QLatin1Char('=') +
                         aspectOf(window, target.section(QLatin1Char('.'), 0, 0),
                                  target.section(QLatin1Char('.'), 1)),
                     check);
        }
    }

private Q_SLOTS:
    void cleanup() { dazu::files::SetFolderChooser({}); }

    // What the user sees after a start with one stored field changed, and after some clicks.
    void shown_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<Variant>("stored");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QStringList>("expected"); // "control.aspect=value"
        const auto row = [](const char* name, const char* field, Variant stored,
                            QStringList actions, QStringList expected) {
            QTest::newRow(name) << field << stored << actions << expected;
        };
        row("first start", "", {}, {},
            {"chkprogramapc.checked=no", "Txtprogramapc.enabled=no", "chkprogramapc.fore=" + kGrey,
             "Txtprogramapc.text=c:\\windows\\calc.exe", "chkprogramatm.checked=yes",
             "txtprogramatm.enabled=yes", "chkprogramatm.fore=" + kText,
             "chkunirarchivos.checked=no", "txtfilehost.enabled=no", "txtfiletoappend.enabled=no",
             "chkborrarfiletoappend.enabled=no", "lblfilehost.fore=" + kGrey,
             "Label3.fore=" + kGrey, "chkunirarchivos.fore=" + kGrey, "ChkLectura.checked=yes",
             "txtintervalo.text=5000", "vscintervalo.value=5000", "cmbpuerto.text=1",
             "cmbpuerto.items=1,2,3,4,5,6,7,8", "cmbpuerto.current=0", "cmbvelocidad.text=38400",
             "cmbvelocidad.items=2400,4800,9600,19200,38400", "cmbvelocidad.current=4",
             "chkotrohh.checked=no", "chkborrarhornet.checked=no", "chkborrarhornet2.checked=no",
             "chkborrarfiletoappend.checked=no", "SSTab1.text=Ejecución", "List1.items=",
             "List2.items="});
        row("joining on", "unirarchivos", true, {},
            {"txtfilehost.enabled=yes", "txtfiletoappend.enabled=yes",
             "chkborrarfiletoappend.enabled=yes", "lblfilehost.fore=" + kText,
             "Label3.fore=" + kText, "chkunirarchivos.fore=" + kText});
        row("PC program on", "correrprogramapc", true, {},
            {"Txtprogramapc.enabled=yes", "chkprogramapc.fore=" + kText});
        row("terminal program off", "correrprogramatm", false, {},
            {"txtprogramatm.enabled=no", "chkprogramatm.fore=" + kGrey});
        row("reading mode off", "modolectura", false, {}, {"ChkLectura.checked=no"});
        row("deleting the joined file", "borrar", true, {},
            {"chkborrarfiletoappend.checked=yes", "chkborrarfiletoappend.enabled=no"});
        row("port", "Puerto", 3, {}, {"cmbpuerto.text=3", "cmbpuerto.current=2"});
        row("speed", "baudios", 19200, {}, {"cmbvelocidad.text=19200", "cmbvelocidad.current=3"});
        row("speed not a choice", "baudios", 1200, {},
            {"cmbvelocidad.text=1200", "cmbvelocidad.current=-1"});
        row("interval", "intervalo", 0, {}, {"txtintervalo.text=0", "vscintervalo.value=0"});
        row("Null destination", "pathdest", Variant(), {}, {"txtpathdest.text="});
        row("spaces kept", "programapc", "  a ", {}, {"Txtprogramapc.text=  a "});
        // The check boxes govern their controls, which keep what they hold.
        row("PC program clicked", "", {}, {"chkprogramapc"},
            {"Txtprogramapc.enabled=yes", "chkprogramapc.fore=" + kText,
             "Txtprogramapc.text=c:\\windows\\calc.exe"});
        row("terminal program clicked", "", {}, {"chkprogramatm"},
            {"txtprogramatm.enabled=no", "chkprogramatm.fore=" + kGrey});
        row("clicked twice", "", {}, {"chkprogramatm", "chkprogramatm"},
            {"txtprogramatm.enabled=yes", "chkprogramatm.fore=" + kText});
        row("joining clicked", "borrar", true, {"chkunirarchivos"},
            {"txtfilehost.enabled=yes", "txtfiletoappend.enabled=yes",
             "chkborrarfiletoappend.enabled=yes", "chkborrarfiletoappend.checked=yes",
             "lblfilehost.fore=" + kText, "Label3.fore=" + kText, "chkunirarchivos.fore=" + kText,
             "txtfilehost.text=c:\\xxx\\mezcla.txt"});
        row("joining clicked off", "unirarchivos", true, {"chkunirarchivos"},
            {"txtfilehost.enabled=no", "chkborrarfiletoappend.enabled=no",
             "Label3.fore=" + kGrey});
        // The spinner steps from its own value, not from what was typed, within 0 to 32000.
        row("spinner up", "intervalo", 4999, {"txtintervalo=7", "vscintervalo^"},
            {"txtintervalo.text=5000"});
        row("spinner down", "intervalo", 1, {"vscintervalov"}, {"txtintervalo.text=0"});
        row("spinner at the top", "intervalo", 32000, {"txtintervalo=7", "vscintervalo^"},
            {"txtintervalo.text=7", "vscintervalo.value=32000"});
        row("spinner at the bottom", "intervalo", 0, {"txtintervalo=7", "vscintervalov"},
            {"txtintervalo.text=7"});
        row("beyond the spinner", "intervalo", 40000, {"vscintervalov"},
            {"txtintervalo.text=31999"});
    }
    void shown() {
        QFETCH(QString, field);
        QFETCH(Variant, stored);
        QFETCH(QStringList, actions);
        QFETCH(QStringList, expected);
        WindowFixture f;
        if (!field.isEmpty())
            f.store(qPrintable(field), stored);
        setup& window = f.load();
        QVERIFY(!f.failed() && window.isVisible());
        for (const QString& action : actions)
            act(window, action);
        expect(window, expected);
    }

    // "&Aceptar" stores only what the user changed, in one update: a field left alone keeps,
    // byte for byte, what the file holds when the button is pressed (but a Null destination,
    // shown as empty text, is stored as such). A refused value names the first refused field
    // in the order "&Aceptar" sets them and stores nothing; "&Cancelar" stores nothing.
    void saving_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<Variant>("before");
        QTest::addColumn<Variant>("meanwhile"); // stored by another program; Null for none
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<Variant>("after");
        QTest::addColumn<QString>("refusal");
        const std::string longText(40000, 'x');
        const std::string notUtf8 = "C:\\datos\\a\xF1o\xFF.txt";
        const auto row = [](const char* name, const char* field, Variant before,
                            Variant meanwhile, QStringList actions, Variant after,
                            const char* refusal = "") {
            QTest::newRow(name) << field << before << meanwhile << actions << after << refusal;
        };
        row("unchanged", "Puerto", 1, {}, {}, 1);
        row("Null destination", "pathdest", Variant(), {}, {}, "");
        row("unshown field", "pathori", "C:\\origen", {}, {}, "C:\\origen");
        row("interval beyond the spinner", "intervalo", 40000, {}, {}, 40000);
        row("text longer than 32767", "filetoappend", longText, {}, {}, longText);
        row("not UTF-8", "filehost", notUtf8, {}, {}, notUtf8);
        row("stored meanwhile", "Puerto", 1, 7, {}, 7);
        row("text stored meanwhile", "programatm", "a.exe", "b.exe", {}, "b.exe");
        row("typed over meanwhile", "programatm", "a.exe", "b.exe", {"txtprogramatm=c.exe"},
            "c.exe");
        row("typed longer than 32767", "programatm", "a", {},
            {"txtprogramatm=" + QString::fromStdString(longText)}, longText);
        row("check box", "modolectura", true, {}, {"ChkLectura"}, false);
        row("port", "Puerto", 1, {}, {"cmbpuerto=5"}, 5);
        row("speed", "baudios", 38400, {}, {"cmbvelocidad=19200"}, 19200);
        row("interval", "intervalo", 5000, {}, {"vscintervalo^"}, 5001);
        row("cancelled", "intervalo", 5000, {}, {"txtintervalo=7", "cmdsetupcancelar"}, 5000);
        row("letters as port", "Puerto", 1, {}, {"cmbpuerto=COM1"}, 1, "Setup.Puerto");
        row("empty interval", "intervalo", 5000, {}, {"txtintervalo="}, 5000, "Setup.intervalo");
        row("interval and speed", "intervalo", 5000, {},
            {"cmbvelocidad=rápido", "txtintervalo=cinco"}, 5000, "Setup.intervalo");
        row("port and speed", "Puerto", 1, {}, {"cmbvelocidad=rápido", "cmbpuerto=COM1"}, 1,
            "Setup.Puerto");
    }
    void saving() {
        QFETCH(QString, field);
        QFETCH(Variant, before);
        QFETCH(Variant, meanwhile);
        QFETCH(QStringList, actions);
        QFETCH(Variant, after);
        QFETCH(QString, refusal);
        WindowFixture f;
        f.store(qPrintable(field), before);
        f.store("enable", true);
        f.load();
        if (!meanwhile.isNull())
            f.store(qPrintable(field), meanwhile);
        const QStringList unchanged = f.storedRow();
        act(*f.window, QStringLiteral("chkotrohh")); // a change stored beside the field's
        for (const QString& action : actions)
            act(*f.window, action);
        const bool cancelled = actions.contains(QStringLiteral("cmdsetupcancelar"));
        if (!cancelled)
            dazu::test::Accept(*f.window);
        if (!refusal.isEmpty()) {
            QCOMPARE(f.messages.size(), 1);
            QVERIFY2(f.failed() && f.messages.front().contains(refusal),
                     qPrintable(f.messages.front()));
            QCOMPARE(f.storedRow(), unchanged);
            return;
        }
        QVERIFY(f.messages.isEmpty() && !f.window->isVisible());
        QCOMPARE(f.storedRow(),
                 cancelled ? unchanged
                           : dazu::test::WithChanges(unchanged, {{field.toStdString(), after},
                                                                 {"askother", true}}));
    }

    // "..." writes the chosen folder, with a separator, into the destination box.
    void chosenFolder_data() {
        const QString folder = QDir::toNativeSeparators(QDir::tempPath() + "/Datos");
        QTest::addColumn<QUrl>("chosen");
        QTest::addColumn<QString>("shown");
        QTest::newRow("cancelled") << QUrl() << "antes";
        QTest::newRow("folder") << QUrl::fromLocalFile(folder) << folder + dazu::files::PathSeparator();
        QTest::newRow("root") << QUrl::fromLocalFile(QDir::rootPath())
                              << QDir::toNativeSeparators(QDir::rootPath());
        QTest::newRow("spaces") << QUrl::fromLocalFile(folder + " 2 ")
                                << folder + " 2 " + dazu::files::PathSeparator();
        QTest::newRow("too long") << QUrl::fromLocalFile("/" + QString(260, QLatin1Char('x'))) << "antes";
    }
    void chosenFolder() {
        QFETCH(QUrl, chosen);
        QFETCH(QString, shown);
        QStringList titles;
        dazu::files::SetFolderChooser([&](const QString& title) {
            titles << title;
            return chosen;
        });
        WindowFixture f;
        f.load();
        f.control<QLineEdit>("txtpathdest")->setText(QStringLiteral("antes"));
        act(*f.window, QStringLiteral("Command1"));
        QCOMPARE(titles, QStringList{"Seleccione el directorio donde quiere dejar los archivos"});
        QCOMPARE(f.control<QLineEdit>("txtpathdest")->text(), shown);
    }

    // Held, an arrow steps once, again after a pause, then quickly; released, it stops. Only
    // the left button steps.
    void holdingAnArrowRepeats() {
        WindowFixture f;
        f.store("intervalo", 0);
        f.load();
        auto* spinner = f.control<UpDown>("vscintervalo");
        const QPoint up(spinner->width() / 2, 2);
        QTest::mousePress(spinner, Qt::LeftButton, {}, up);
        QTRY_VERIFY_WITH_TIMEOUT(spinner->value() >= 12, 1500); // 300 ms, then every 50 ms
        QTest::mouseRelease(spinner, Qt::LeftButton, {}, up);
        const int released = spinner->value();
        QTest::mouseClick(spinner, Qt::RightButton, {}, up);
        QTest::qWait(150); // what is tested is that nothing happens meanwhile
        QCOMPARE(spinner->value(), released);
    }

    // Both list editors, step by step. Steps: "add" (clicks "Agregar"), "type:x" (into the
    // entry box), "enter", "keypad", "tab", "escape" (at the focused control), "select:N",
    // "delete" ("&Borrar"), "gone:x" (deleted by another program); checks: "adding" (entry box
    // open, focused), "idle" (closed, focus on "Agregar"), "shows:a|b" (the rows, and the names
    // stored). The names are seeded in both lists; the other list keeps them.
    void lists_data() {
        QTest::addColumn<int>("editor");
        QTest::addColumn<QByteArrayList>("seed");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("messages");
        for (int editor : {0, 1}) {
            const auto row = [editor](const char* name, QByteArrayList seed, QStringList steps,
                                      QStringList messages = {}) {
                QTest::addRow("%s: %s", editor ? "FPCHH" : "Files", name)
                    << editor << seed << steps << messages;
            };
            const QString duplicate = QStringLiteral("%1|48|Entrada ya existe")
                                          .arg(QLatin1String(editor ? "DAZU" : "Vozu Rodari"));
            row("add", {"aaa.txt"},
                {"add", "adding", "escape", "adding", "type:  datos 1.txt ", "enter",
                 "idle", "shows:aaa.txt|  datos 1.txt "});
            row("keypad Enter", {}, {"add", "type:b.txt", "keypad", "idle", "shows:b.txt"});
            row("Tab", {}, {"add", "type:b.txt", "tab", "shows:"});
            row("duplicate", {"uno.txt"},
                {"add", "type:UNO.txt", "enter", "idle", "add", "type:dos.txt", "enter",
                 "shows:uno.txt|dos.txt"},
                {duplicate});
            row("a second Enter after storing", {"uno.txt"},
                {"select:0", "add", "type:nuevo.txt", "enter", "idle", "enter", "adding"});
            row("a second Enter after refusing", {"uno.txt"},
                {"select:0", "add", "type:uno.txt", "enter", "idle", "enter", "adding"},
                {duplicate});
            row("delete", {"a.txt", "b.txt", "c.txt"},
                {"delete", "select:1", "delete", "shows:a.txt|c.txt", "gone:a.txt", "select:0",
                 "delete", "select:0", "delete", "shows:", "add", "type:d.txt", "enter",
                 "shows:d.txt"},
                {"DAZU|64|Seleccione un elemento para borrar"});
            row("not UTF-8", {"caf\xe9.txt"}, {"shows:caf\uFFFD.txt", "select:0", "delete", "shows:"});
        }
    }
    void lists() {
        QFETCH(int, editor);
        QFETCH(QByteArrayList, seed);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, messages);
        const dazu::test::FileList& e = editor ? dazu::test::kFpchhList : dazu::test::kFilesList;
        const dazu::test::FileList& other = editor ? dazu::test::kFilesList : dazu::test::kFpchhList;
        WindowFixture f;
        f.database();
        for (const QByteArray& name : seed)
            for (const char* table : {"Files", "FPCHH"})
                f.folder.addNames(table, std::vector<std::string>{name.toStdString()});
        const QStringList otherNames = dazu::test::ListNames(f.folder.databasePath(), other.table);
        f.load();
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.control<QTabWidget>("SSTab1")->setCurrentIndex(2);
        auto* list = f.control<QAbstractItemView>(e.controls.list);
        auto* entry = f.control<QLineEdit>(e.controls.entry);
        auto* add = f.control<QPushButton>(e.controls.addButton);
        const std::map<QString, Qt::Key> keys{{"enter", Qt::Key_Return}, {"keypad", Qt::Key_Enter},
                                              {"tab", Qt::Key_Tab}, {"escape", Qt::Key_Escape}};
        for (const QString& step : steps) {
            const QString verb = step.section(QLatin1Char(':'), 0, 0);
            const QString operand = step.section(QLatin1Char(':'), 1);
            if (keys.count(verb)) {
                QTest::keyClick(QApplication::focusWidget(), keys.at(verb));
            } else if (verb == QLatin1String("add")) {
                QTest::mouseClick(add, Qt::LeftButton);
            } else if (verb == QLatin1String("type")) {
                QTest::sendKeyEvent(QTest::Click, entry, Qt::Key_unknown, operand, Qt::NoModifier);
            } else if (verb == QLatin1String("select")) {
                dazu::test::ClickRow(*list, operand.toInt());
            } else if (verb == QLatin1String("delete")) {
                QTest::mouseClick(f.control<QPushButton>(e.controls.deleteButton), Qt::LeftButton);
                QVERIFY(!list->selectionModel()->hasSelection());
            } else if (verb == QLatin1String("gone")) {
                auto tables = f.database();
                auto& table = editor ? tables.FPCHH : tables.Files;
                table.Index("FILE");
                table.Seek("=", operand.toStdString());
                table.Delete();
            } else if (verb == QLatin1String("shows")) {
                const QStringList rows = operand.split(QLatin1Char('|'), Qt::SkipEmptyParts);
                QCOMPARE(dazu::test::ShownRows(*list), rows);
                QStringList stored = dazu::test::ListNames(f.folder.databasePath(), e.table);
                for (const QString& row : rows) // in index order
                    QVERIFY2(stored.removeOne(row), qPrintable(row));
                QVERIFY(stored.isEmpty());
            } else {
                const bool adding = verb == QLatin1String("adding");
                QVERIFY2(adding || verb == QLatin1String("idle"), qPrintable(step));
                QCOMPARE(entry->isEnabled(), adding);
                QCOMPARE(add->isEnabled(), !adding);
                QCOMPARE(QApplication::focusWidget(), adding ? entry : static_cast<QWidget*>(add));
                QCOMPARE(dazu::dialog::BackColor(entry),
                         quint32(adding ? dazu::dialog::WindowColor : dazu::dialog::ButtonFaceColor));
                if (!adding)
                    QVERIFY(entry->text().isEmpty());
            }
        }
        QCOMPARE(f.messages, messages);
        QCOMPARE(dazu::test::ListNames(f.folder.databasePath(), other.table), otherNames);
    }

    // The keys move the one selected row, and the list scrolls to keep it in sight.
    void listKeys_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("selected");
        QTest::newRow("down") << QList<int>{Qt::Key_Down, Qt::Key_Down} << 7;
        QTest::newRow("end") << QList<int>{Qt::Key_End} << 59;
        QTest::newRow("past the end") << QList<int>{Qt::Key_End, Qt::Key_Down} << 59;
        QTest::newRow("end, home") << QList<int>{Qt::Key_End, Qt::Key_Home} << 0;
        QTest::newRow("page down, page up") << QList<int>{Qt::Key_PageDown, Qt::Key_PageUp} << 5;
    }
    void listKeys() {
        QFETCH(QList<int>, keys);
        QFETCH(int, selected);
        WindowFixture f;
        QStringList names;
        for (int i = 0; i < 60; ++i)
            names << QStringLiteral("n%1.txt").arg(i, 2, 10, QLatin1Char('0'));
        f.folder.addNames("Files", names);
        f.load();
        auto* list = f.control<QAbstractItemView>("List1");
        f.control<QTabWidget>("SSTab1")->setCurrentIndex(2);
        dazu::test::ClickRow(*list, 5);
        for (int key : keys)
            QTest::keyClick(list, Qt::Key(key));
        const QModelIndexList chosen = list->selectionModel()->selectedIndexes();
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.front().row(), selected);
        QVERIFY(list->viewport()->rect().contains(list->visualRect(chosen.front())));
        QCOMPARE(list->indexAt(list->visualRect(chosen.front()).center()), chosen.front());
    }
};

QTEST_MAIN(tst_Window)
#include "tst_window.moc"
