// The window's handlers as a user meets them, on a copy of the portable folder: loading, the
// controls that follow others, "..." and the folder picker, "&Aceptar" and "&Cancelar", and
// the two list editors.
#include "FileList.h"
#include "FolderChooser.h"
#include "ListRows.h"
#include "Platform.h"
#include "SystemColor.h"
#include "UpDown.h"
#include "WindowFixture.h"

#include <QtTest>
#include <QtWidgets>

using dazu::config::Variant;
using dazu::test::Control;

namespace {

const QString kGrey = QString::number(dazu::dialog::InactiveCaptionColor, 16);
const QString kText = QString::number(dazu::dialog::MenuTextColor, 16);
const QString kFolder = QDir::toNativeSeparators(QDir::tempPath() + QStringLiteral("/D"));
const QString kSep = dazu::files::PathSeparator();
const std::string kLongText(40000, 'x'), kNotUtf8("C:\\datos\\a\xF1o\xFF.txt");

// What the user sees after a start with one field stored (none for "") and some actions;
// each check is "control.property=value", "fore" being a caption's colour reference.
const struct Shown {
    const char *name, *field;
    Variant stored;
    QStringList actions, expected;
} kShown[] = {
    // clang-format off
    {"first start", "", {}, {}, {"chkprogramapc.checked=false", "Txtprogramapc.enabled=false",
        "chkprogramapc.fore=" + kGrey, "Txtprogramapc.text=c:\\windows\\calc.exe", "chkprogramatm.checked=true",
        "txtprogramatm.enabled=true", "txtprogramatm.text=roza5.exe", "txtfilehost.text=c:\\xxx\\mezcla.txt",
        "txtfiletoappend.text=C:\\Tevan\\Vendra PlugIns\\KQ-410 PC\\Source\\zedirad.txt", "chkprogramatm.fore=" + kText, "chkunirarchivos.checked=false",
        "txtfilehost.enabled=false", "txtfiletoappend.enabled=false", "chkborrarfiletoappend.enabled=false",
        "lblfilehost.fore=" + kGrey, "Label3.fore=" + kGrey, "chkunirarchivos.fore=" + kGrey,
        "ChkLectura.checked=true", "txtintervalo.text=5000", "cmbpuerto.currentText=1", "cmbpuerto.currentIndex=0",
        "cmbvelocidad.currentText=38400", "cmbvelocidad.currentIndex=4", "chkotrohh.checked=false",
        "chkborrarhornet.checked=false", "chkborrarhornet2.checked=false", "chkborrarfiletoappend.checked=false",
        "SSTab1.currentIndex=0", "List1.rows=", "List2.rows="}},
    {"joining on", "unirarchivos", true, {}, {"txtfilehost.enabled=true", "txtfiletoappend.enabled=true",
        "chkborrarfiletoappend.enabled=true", "lblfilehost.fore=" + kText, "Label3.fore=" + kText,
        "chkunirarchivos.fore=" + kText}},
    {"PC program on", "correrprogramapc", true, {}, {"Txtprogramapc.enabled=true", "chkprogramapc.fore=" + kText}},
    {"terminal program off", "correrprogramatm", false, {}, {"txtprogramatm.enabled=false", "chkprogramatm.fore=" + kGrey}},
    {"reading mode off", "modolectura", false, {}, {"ChkLectura.checked=false"}},
    {"delete the joined file", "borrar", true, {}, {"chkborrarfiletoappend.checked=true", "chkborrarfiletoappend.enabled=false"}},
    {"port", "Puerto", 3, {}, {"cmbpuerto.currentText=3", "cmbpuerto.currentIndex=2"}},
    {"speed", "baudios", 19200, {}, {"cmbvelocidad.currentText=19200", "cmbvelocidad.currentIndex=3"}},
    {"speed not a choice", "baudios", 1200, {}, {"cmbvelocidad.currentText=1200", "cmbvelocidad.currentIndex=-1"}},
    {"Null destination", "pathdest", {}, {}, {"txtpathdest.text="}},
    {"spaces kept", "programapc", "  a ", {}, {"Txtprogramapc.text=  a "}},
    // The check boxes govern their controls, which keep what they hold.
    {"PC program clicked", "", {}, {"chkprogramapc"}, {"Txtprogramapc.enabled=true", "chkprogramapc.fore=" + kText,
        "Txtprogramapc.text=c:\\windows\\calc.exe"}},
    {"terminal program clicked", "", {}, {"chkprogramatm"}, {"txtprogramatm.enabled=false", "chkprogramatm.fore=" + kGrey}},
    {"clicked twice", "", {}, {"chkprogramatm", "chkprogramatm"}, {"txtprogramatm.enabled=true", "chkprogramatm.fore=" + kText}},
    {"joining clicked", "borrar", true, {"chkunirarchivos"}, {"txtfilehost.enabled=true", "txtfiletoappend.enabled=true",
        "chkborrarfiletoappend.enabled=true", "chkborrarfiletoappend.checked=true", "lblfilehost.fore=" + kText,
        "Label3.fore=" + kText, "chkunirarchivos.fore=" + kText, "txtfilehost.text=c:\\xxx\\mezcla.txt"}},
    {"joining clicked off", "unirarchivos", true, {"chkunirarchivos"}, {"txtfilehost.enabled=false",
        "chkborrarfiletoappend.enabled=false", "Label3.fore=" + kGrey}},
    // The spinner steps from its own value, not from what was typed, within 0 to 32000.
    {"spinner up", "intervalo", 4999, {"txtintervalo=7", "vscintervalo^"}, {"txtintervalo.text=5000"}},
    {"spinner down", "intervalo", 1, {"vscintervalov"}, {"txtintervalo.text=0"}},
    {"spinner at the top", "intervalo", 32000, {"txtintervalo=7", "vscintervalo^"}, {"txtintervalo.text=7"}},
    {"spinner at 0", "intervalo", 0, {"txtintervalo=7", "vscintervalov"}, {"txtintervalo.text=7"}},
    {"beyond the spinner", "intervalo", 40000, {"vscintervalov"}, {"txtintervalo.text=31999"}},
    // "..." writes the chosen folder into the destination box, ended by a separator.
    {"picker cancelled", "pathdest", "antes", {"choose:"}, {"txtpathdest.text=antes"}},
    {"folder chosen", "", {}, {"choose:" + kFolder}, {"txtpathdest.text=" + kFolder + kSep}},
    {"folder with spaces", "", {}, {"choose:" + kFolder + " 2 "}, {"txtpathdest.text=" + kFolder + " 2 " + kSep}},
    {"root chosen", "", {}, {"choose:" + QDir::rootPath()}, {"txtpathdest.text=" + QDir::toNativeSeparators(QDir::rootPath())}},
    {"too long for the buffer", "pathdest", "antes", {"choose:/" + QString(260, QLatin1Char('x'))}, {"txtpathdest.text=antes"}},
    // clang-format on
};

// "&Aceptar" after a start with the field stored as `before`, another program storing
// `meanwhile` (unless Null), and some actions: the field holds `after`, or the refusal names
// it and nothing is stored.
const struct Saving {
    const char *name, *field;
    Variant before, meanwhile;
    QStringList actions;
    Variant after;
    const char* refusal;
} kSaving[] = {
    // clang-format off
    {"unchanged", "Puerto", 1, {}, {}, 1, ""},
    {"Null destination", "pathdest", {}, {}, {}, "", ""},
    {"unshown field", "pathori", "C:\\origen", {}, {}, "C:\\origen", ""},
    {"interval beyond the spinner", "intervalo", 40000, {}, {}, 40000, ""},
    {"text longer than 32767", "filetoappend", kLongText, {}, {}, kLongText, ""},
    {"not UTF-8", "filehost", kNotUtf8, {}, {}, kNotUtf8, ""},
    {"stored meanwhile", "Puerto", 1, 7, {}, 7, ""},
    {"text stored meanwhile", "programatm", "a.exe", "b.exe", {}, "b.exe", ""},
    {"typed over meanwhile", "programatm", "a", "b", {"txtprogramatm=c"}, "c", ""},
    {"typed longer than 32767", "programatm", "a", {}, {"txtprogramatm=" + QString::fromStdString(kLongText)}, kLongText, ""},
    {"check box", "modolectura", true, {}, {"ChkLectura"}, false, ""},
    {"port", "Puerto", 1, {}, {"cmbpuerto=5"}, 5, ""},
    {"speed", "baudios", 38400, {}, {"cmbvelocidad=19200"}, 19200, ""},
    {"interval", "intervalo", 5000, {}, {"vscintervalo^"}, 5001, ""},
    {"cancelled", "intervalo", 5000, {}, {"txtintervalo=7", "cmdsetupcancelar"}, 5000, ""},
    {"letters as port", "Puerto", 1, {}, {"cmbpuerto=COM1"}, 1, "Setup.Puerto"},
    {"empty interval", "intervalo", 5000, {}, {"txtintervalo="}, 5000, "Setup.intervalo"},
    {"interval and speed", "intervalo", 5000, {}, {"cmbvelocidad=rápido", "txtintervalo=cinco"}, 5000, "Setup.intervalo"},
    {"port and speed", "Puerto", 1, {}, {"cmbvelocidad=rápido", "cmbpuerto=COM1"}, 1, "Setup.Puerto"},
    // clang-format on
};

// A list editor worked step by step: "add" clicks "Agregar", "type:x" types into the entry
// box, "key:K" presses a key at the focus, "select:N" clicks a row, "delete" clicks "&Borrar",
// "gone:x" deletes a name from another program. Checks: "adding" (entry box open and
// focused), "idle" (closed, focus on "Agregar"), "shows:a|b" (the rows, and the names
// stored), "selected:N" (the one selected row, in sight). The seed goes into both lists, and
// the other list keeps it. "%1" stands for the editor's title of its duplicate-name message.
QByteArrayList sixty() {
    QByteArrayList names;
    for (int i = 100; i < 160; ++i)
        names << QByteArray::number(i);
    return names;
}
const struct Editing {
    const char* name;
    QByteArrayList seed;
    QStringList steps, messages = {};
} kEditing[] = {
    // clang-format off
    {"add", {"aaa.txt"}, {"add", "adding", "key:Esc", "adding", "type:  datos 1.txt ", "key:Return", "idle",
        "shows:aaa.txt|  datos 1.txt "}},
    {"keypad Enter", {}, {"add", "type:b.txt", "key:Enter", "idle", "shows:b.txt"}},
    {"Tab", {}, {"add", "type:b.txt", "key:Tab", "shows:"}},
    {"duplicate", {"uno.txt"}, {"add", "type:UNO.txt", "key:Return", "idle", "add", "type:dos.txt", "key:Return",
        "shows:uno.txt|dos.txt"}, {"%1|48|Entrada ya existe"}},
    {"a second Enter after storing", {"uno.txt"}, {"select:0", "add", "type:nuevo.txt", "key:Return", "idle",
        "key:Return", "adding"}},
    {"a second Enter after refusing", {"uno.txt"}, {"select:0", "add", "type:uno.txt", "key:Return", "idle",
        "key:Return", "adding"}, {"%1|48|Entrada ya existe"}},
    {"delete", {"a.txt", "b.txt", "c.txt"}, {"delete", "select:1", "delete", "shows:a.txt|c.txt", "gone:a.txt",
        "select:0", "delete", "select:0", "delete", "shows:", "add", "type:d.txt", "key:Return", "shows:d.txt"},
        {"DAZU|64|Seleccione un elemento para borrar"}},
    {"not UTF-8", {"caf\xe9.txt"}, {"shows:caf\uFFFD.txt", "select:0", "delete", "shows:"}},
    {"keys move the selection", sixty(), {"select:5", "key:Down", "key:Down", "selected:7", "key:Home",
        "selected:0", "key:End", "key:Down", "selected:59", "key:PgUp", "key:PgDown", "selected:59", "select:5",
        "key:Left", "selected:5"}},
    // clang-format on
};

// What a user does: "name" clicks a control, "name=text" types into it, "vscintervalo^" and
// "vscintervalov" click the spinner's arrows, "choose:path" clicks "..." and chooses the
// folder in the picker ("choose:" cancels it).
void act(setup& window, const QString& action) {
    auto* spinner = Control<dazu::dialog::UpDown>(window, "vscintervalo");
    if (action.startsWith(QLatin1String("choose:"))) {
        QString title;
        dazu::files::SetFolderChooser([&title, action](const QString& shown) {
            title = shown;
            return action.size() > 7 ? QUrl::fromLocalFile(action.mid(7)) : QUrl();
        });
        QTest::mouseClick(Control(window, "Command1"), Qt::LeftButton);
        dazu::files::SetFolderChooser({});
        QCOMPARE(title, "Seleccione el directorio donde quiere dejar los archivos");
    } else if (action.contains(QLatin1Char('='))) {
        dazu::test::TypeText(Control(window, action.section('=', 0, 0)), action.section('=', 1));
    } else if (action.startsWith(QLatin1String("vscintervalo"))) {
        const int y = action.endsWith(QLatin1Char('^')) ? 2 : spinner->height() - 3;
        QTest::mouseClick(spinner, Qt::LeftButton, {}, {spinner->width() / 2, y});
    } else {
        QTest::mouseClick(Control(window, action), Qt::LeftButton);
    }
}

} // namespace

class tst_Window : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shown_data() {
        QTest::addColumn<int>("row");
        for (const Shown& row : kShown)
            QTest::newRow(row.name) << int(&row - kShown);
    }
    void shown() {
        QFETCH(int, row);
        const Shown& r = kShown[row];
        WindowFixture f;
        if (*r.field)
            f.store(r.field, r.stored);
        setup& window = f.load();
        QVERIFY(!f.failed() && window.isVisible());
        for (const QString& action : r.actions)
            act(window, action);
        for (const QString& check : r.expected) {
            const QString name = check.section('.', 0, 0),
                          aspect = check.section('.', 1).section('=', 0, 0);
            QWidget* control = Control(window, name);
            const QString value =
                aspect == QLatin1String("fore")
                    ? QString::number(dazu::dialog::ForeColor(control), 16)
                : aspect == QLatin1String("rows")
                    ? dazu::test::ShownRows(*qobject_cast<QAbstractItemView*>(control)).join(',')
                    : control->property(qPrintable(aspect)).toString();
            QCOMPARE(name + '.' + aspect + '=' + value, check);
        }
    }

    // Only what the user changed is stored, in one update: a field left alone keeps, byte for
    // byte, what the file holds when the button is pressed (but a Null destination, shown as
    // empty text, is stored as such). A refusal names the first refused field in the order
    // "&Aceptar" sets them: intervalo, Puerto, baudios.
    void saving_data() {
        QTest::addColumn<int>("row");
        for (const Saving& row : kSaving)
            QTest::newRow(row.name) << int(&row - kSaving);
    }
    void saving() {
        QFETCH(int, row);
        const Saving& r = kSaving[row];
        WindowFixture f;
        f.store(r.field, r.before);
        f.store("enable", true);
        f.load();
        if (!r.meanwhile.isNull())
            f.store(r.field, r.meanwhile);
        const QStringList unchanged = f.storedRow();
        act(*f.window, QStringLiteral("chkotrohh")); // a change stored beside the field's
        for (const QString& action : r.actions)
            act(*f.window, action);
        const bool cancelled = r.actions.contains(QStringLiteral("cmdsetupcancelar"));
        if (!cancelled)
            dazu::test::Accept(*f.window);
        QCOMPARE(f.messages.size(), *r.refusal ? 1 : 0);
        QVERIFY2(*r.refusal ? f.failed() && f.messages.front().contains(QLatin1String(r.refusal))
                            : !f.window->isVisible(),
                 qPrintable(f.messages.join('\n')));
        QCOMPARE(f.storedRow(), *r.refusal || cancelled
                                    ? unchanged
                                    : dazu::test::WithChanges(
                                          unchanged, {{r.field, r.after}, {"askother", true}}));
    }

    // Held, an arrow steps once, again after a pause, then quickly; released, it stops. Only
    // the left button steps.
    void holdingAnArrowRepeats() {
        WindowFixture f;
        f.store("intervalo", 0);
        auto* spinner = Control<dazu::dialog::UpDown>(f.load(), "vscintervalo");
        const QPoint up(spinner->width() / 2, 2);
        QTest::mousePress(spinner, Qt::LeftButton, {}, up);
        QTRY_VERIFY_WITH_TIMEOUT(spinner->value() >= 12, 1500); // 300 ms, then every 50 ms
        QTest::mouseRelease(spinner, Qt::LeftButton, {}, up);
        const int released = spinner->value();
        QTest::mouseClick(spinner, Qt::RightButton, {}, up);
        QTest::qWait(150); // what is tested is that nothing happens meanwhile
        QCOMPARE(spinner->value(), released);
    }

    void lists_data() {
        QTest::addColumn<int>("editor");
        QTest::addColumn<int>("row");
        for (int editor : {0, 1})
            for (const Editing& row : kEditing)
                QTest::addRow("%s: %s", editor ? "FPCHH" : "Files", row.name)
                    << editor << int(&row - kEditing);
    }
    void lists() {
        QFETCH(int, editor);
        QFETCH(int, row);
        const auto& e = editor ? dazu::test::kFpchhList : dazu::test::kFilesList;
        const auto& other = editor ? dazu::test::kFilesList : dazu::test::kFpchhList;
        WindowFixture f;
        f.database();
        for (const char* table : {"Files", "FPCHH"})
            f.folder.addNames(table, std::vector<std::string>(kEditing[row].seed.begin(),
                                                              kEditing[row].seed.end()));
        const QStringList otherNames = dazu::test::ListNames(f.folder.databasePath(), other.table);
        f.load().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.control<QTabWidget>("SSTab1")->setCurrentIndex(2);
        auto* list = f.control<QAbstractItemView>(e.controls.list);
        auto* entry = f.control<QLineEdit>(e.controls.entry);
        auto* add = f.control<QPushButton>(e.controls.addButton);
        for (const QString& step : kEditing[row].steps) {
            const QString verb = step.section(':', 0, 0), operand = step.section(':', 1);
            if (verb == QLatin1String("key")) {
                QTest::keyClick(QApplication::focusWidget(), QKeySequence(operand)[0].key());
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
                QVERIFY(dazu::config::DeleteFileName(table, operand.toStdString()));
            } else if (verb == QLatin1String("shows")) {
                const QStringList rows = operand.split('|', Qt::SkipEmptyParts);
                QCOMPARE(dazu::test::ShownRows(*list), rows);
                QStringList stored = dazu::test::ListNames(f.folder.databasePath(), e.table);
                for (const QString& name : rows) // in index order
                    QVERIFY2(stored.removeOne(name), qPrintable(name));
                QVERIFY(stored.isEmpty());
            } else if (verb == QLatin1String("selected")) {
                const QModelIndexList selected = list->selectionModel()->selectedIndexes();
                QCOMPARE(selected.size(), 1);
                QCOMPARE(selected.front().row(), operand.toInt());
                QCOMPARE(list->indexAt(list->visualRect(selected.front()).center()),
                         selected.front());
                QVERIFY(list->viewport()->rect().contains(list->visualRect(selected.front())));
            } else {
                const bool adding = verb == QLatin1String("adding");
                QCOMPARE(entry->isEnabled(), adding);
                QCOMPARE(add->isEnabled(), !adding);
                QCOMPARE(QApplication::focusWidget(), adding ? entry : static_cast<QWidget*>(add));
                QCOMPARE(
                    dazu::dialog::BackColor(entry),
                    quint32(adding ? dazu::dialog::WindowColor : dazu::dialog::ButtonFaceColor));
                QVERIFY(adding || entry->text().isEmpty());
            }
        }
        QCOMPARE(f.messages.join('\n'), kEditing[row].messages.join('\n').replace(
                                            "%1", QLatin1String(e.controls.duplicateTitle)));
        QCOMPARE(dazu::test::ListNames(f.folder.databasePath(), other.table), otherNames);
    }
};

QTEST_MAIN(tst_Window)
#include "tst_window.moc"
