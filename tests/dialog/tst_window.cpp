// The window as a user meets it, loaded on a copy of the portable folder: what it shows, the
// controls that follow others, the folder picker, the keyboard, the two list editors,
// "&Aceptar" and "&Cancelar"; and, for the eye, captions whole at this machine's fonts, a
// focus cue wherever the focus is, captions readable in any colour scheme. Names, roles and
// places of the controls are read from the running program by tests/screenreader.
#include "FileList.h"
#include "FolderChooser.h"
#include "Layout.h"
#include "ListRows.h"
#include "Platform.h"
#include "SystemColor.h"
#include "UpDown.h"
#include "WindowFixture.h"

#include <cmath>
#include <QtTest>
#include <QtWidgets>

using dazu::config::Variant;
using dazu::test::Control;
using namespace dazu::dialog;

namespace {

const QString kGrey = QString::number(InactiveCaptionColor, 16);
const QString kText = QString::number(MenuTextColor, 16);
const QString kFolder = QDir::toNativeSeparators(QDir::tempPath() + QStringLiteral("/D"));
const QString kSep = dazu::files::PathSeparator();
const std::string kLongText(40000, 'x'), kNotUtf8("C:\\datos\\a\xF1o\xFF.txt");
std::string sixty() {
    std::string names = "100";
    for (int i = 101; i < 160; ++i)
        names += '|' + std::to_string(i);
    return names;
}

// A start with one field stored (with "names", names stored in both lists; none for ""),
// then steps. A step "X" clicks control X, "X=text" types into it, "vscintervalo^" and
// "vscintervalov" click the spinner's arrows, "focus:X" and "key:K" press a key in X,
// "tab:N" shows tab N with the focus on the tab strip, "choose:path" clicks "..." and chooses
// the path in the picker ("choose:" cancels), "select:L:N" clicks row N of list L,
// "gone:T:name" deletes a name from another program. A check "?X.property=value" reads a
// control ("fore" a caption's colour reference, "back" a box's, "rows" a list's), "?stored:T=a|b"
// the names of list T, "?row:field = value" the stored setting, "?selected:L=N" the one
// selected row in sight, "?messages=a;b" the boxes shown. Rows with "%" are run for both list
// editors: %l list, %e entry box, %a "Agregar", %d "&Borrar", %t table, %n the title of its
// duplicate-name box; "adding" and "idle" check the editor's add mode and where the focus is.
const struct Scenario {
    const char *name, *field;
    Variant stored;
    QStringList steps;
} kScenarios[] = {
    // clang-format off
    {"first start", "", {}, {"?chkprogramapc.checked=false", "?Txtprogramapc.enabled=false",
        "?chkprogramapc.fore=" + kGrey, "?Txtprogramapc.text=c:\\windows\\calc.exe", "?chkprogramatm.checked=true",
        "?txtprogramatm.enabled=true", "?txtprogramatm.text=roza5.exe", "?txtfilehost.text=c:\\xxx\\mezcla.txt",
        "?txtfiletoappend.text=C:\\Tevan\\Vendra PlugIns\\KQ-410 PC\\Source\\zedirad.txt",
        "?chkprogramatm.fore=" + kText, "?chkunirarchivos.checked=false", "?txtfilehost.enabled=false",
        "?txtfiletoappend.enabled=false", "?chkborrarfiletoappend.enabled=false", "?lblfilehost.fore=" + kGrey,
        "?Label3.fore=" + kGrey, "?chkunirarchivos.fore=" + kGrey, "?ChkLectura.checked=true",
        "?txtintervalo.text=5000", "?cmbpuerto.currentText=1", "?cmbpuerto.currentIndex=0",
        "?cmbvelocidad.currentText=38400", "?cmbvelocidad.currentIndex=4", "?chkotrohh.checked=false",
        "?chkborrarhornet.checked=false", "?chkborrarhornet2.checked=false",
        "?chkborrarfiletoappend.checked=false", "?SSTab1.currentIndex=0", "?List1.rows=", "?List2.rows="}},
    {"joining on", "unirarchivos", true, {"?txtfilehost.enabled=true", "?txtfiletoappend.enabled=true",
        "?chkborrarfiletoappend.enabled=true", "?lblfilehost.fore=" + kText, "?Label3.fore=" + kText,
        "?chkunirarchivos.fore=" + kText}},
    {"PC program on", "correrprogramapc", true, {"?Txtprogramapc.enabled=true", "?chkprogramapc.fore=" + kText}},
    {"terminal program off", "correrprogramatm", false, {"?txtprogramatm.enabled=false", "?chkprogramatm.fore=" + kGrey}},
    {"reading mode off", "modolectura", false, {"?ChkLectura.checked=false"}},
    {"delete the joined file", "borrar", true, {"?chkborrarfiletoappend.checked=true", "?chkborrarfiletoappend.enabled=false"}},
    {"port", "Puerto", 3, {"?cmbpuerto.currentText=3", "?cmbpuerto.currentIndex=2"}},
    {"speed", "baudios", 19200, {"?cmbvelocidad.currentText=19200", "?cmbvelocidad.currentIndex=3"}},
    {"speed not a choice", "baudios", 1200, {"?cmbvelocidad.currentText=1200", "?cmbvelocidad.currentIndex=-1"}},
    {"Null destination", "pathdest", {}, {"?txtpathdest.text="}},
    {"spaces kept", "programapc", "  a ", {"?Txtprogramapc.text=  a "}},
    // The check boxes govern their controls, which keep what they hold.
    {"PC program clicked", "", {}, {"chkprogramapc", "?Txtprogramapc.enabled=true", "?chkprogramapc.fore=" + kText,
        "?Txtprogramapc.text=c:\\windows\\calc.exe"}},
    {"terminal program clicked twice", "", {}, {"chkprogramatm", "?txtprogramatm.enabled=false",
        "?chkprogramatm.fore=" + kGrey, "chkprogramatm", "?txtprogramatm.enabled=true", "?chkprogramatm.fore=" + kText}},
    {"joining clicked", "borrar", true, {"chkunirarchivos", "?txtfilehost.enabled=true", "?txtfiletoappend.enabled=true",
        "?chkborrarfiletoappend.enabled=true", "?chkborrarfiletoappend.checked=true", "?lblfilehost.fore=" + kText,
        "?Label3.fore=" + kText, "?chkunirarchivos.fore=" + kText, "?txtfilehost.text=c:\\xxx\\mezcla.txt",
        "chkunirarchivos", "?txtfilehost.enabled=false", "?chkborrarfiletoappend.enabled=false", "?Label3.fore=" + kGrey}},
    // The spinner steps from its own value, not from what was typed, within 0 to 32000, by
    // its arrows and by Up and Down; it passes other keys on (Ctrl+Tab to the tab control).
    {"spinner up", "intervalo", 4999, {"txtintervalo=7", "vscintervalo^", "?txtintervalo.text=5000"}},
    {"spinner down", "intervalo", 1, {"vscintervalov", "?txtintervalo.text=0"}},
    {"spinner at the top", "intervalo", 32000, {"txtintervalo=7", "vscintervalo^", "focus:vscintervalo", "key:Up",
        "?txtintervalo.text=7"}},
    {"spinner at 0", "intervalo", 0, {"txtintervalo=7", "vscintervalov", "focus:vscintervalo", "key:Down",
        "?txtintervalo.text=7"}},
    {"beyond the spinner", "intervalo", 40000, {"vscintervalov", "?txtintervalo.text=31999"}},
    {"spinner keys", "intervalo", 7, {"focus:vscintervalo", "key:Up", "key:Up", "key:Down", "?txtintervalo.text=8",
        "key:Ctrl+Tab", "?SSTab1.currentIndex=2"}},
    // "..." writes the chosen folder into the destination box, ended by a separator.
    {"picker cancelled", "pathdest", "antes", {"choose:", "?txtpathdest.text=antes"}},
    {"folder chosen", "", {}, {"choose:" + kFolder, "?txtpathdest.text=" + kFolder + kSep}},
    {"folder with spaces", "", {}, {"choose:" + kFolder + " 2 ", "?txtpathdest.text=" + kFolder + " 2 " + kSep}},
    {"root chosen", "", {}, {"choose:" + QDir::rootPath(), "?txtpathdest.text=" + QDir::toNativeSeparators(QDir::rootPath())}},
    {"too long for the buffer", "pathdest", "antes", {"choose:/" + QString(260, QLatin1Char('x')), "?txtpathdest.text=antes"}},
    // Only a focused button takes Enter, nothing takes Escape; Alt+A and Alt+C work on every tab.
    {"Enter and Escape elsewhere", "", {}, {"focus:txtprogramatm", "key:Return", "key:Esc", "focus:chkprogramapc",
        "key:Return", "key:Esc", "focus:txtintervalo", "key:Return", "key:Esc", "focus:cmbpuerto", "key:Return",
        "key:Esc", "focus:cmdsetup", "key:Esc", "?window.visible=true"}},
    {"Enter on Aceptar", "", {}, {"txtintervalo=7", "focus:cmdsetup", "key:Return", "?window.visible=false",
        "?row:intervalo = 7"}},
    {"keypad Enter on Cancelar", "", {}, {"txtintervalo=7", "focus:cmdsetupcancelar", "key:Enter",
        "?window.visible=false", "?row:intervalo = 5000"}},
    {"Alt+A on Ejecución", "", {}, {"txtintervalo=7", "tab:0", "key:Alt+A", "?window.visible=false", "?row:intervalo = 7"}},
    {"Alt+A on Comunicaciones", "", {}, {"txtintervalo=7", "tab:1", "key:Alt+A", "?window.visible=false", "?row:intervalo = 7"}},
    {"Alt+A on Archivos", "", {}, {"txtintervalo=7", "tab:2", "key:Alt+A", "?window.visible=false", "?row:intervalo = 7"}},
    {"Alt+C on Ejecución", "", {}, {"txtintervalo=7", "tab:0", "key:Alt+C", "?window.visible=false", "?row:intervalo = 5000"}},
    {"Alt+C on Comunicaciones", "", {}, {"txtintervalo=7", "tab:1", "key:Alt+C", "?window.visible=false", "?row:intervalo = 5000"}},
    {"Alt+C on Archivos", "", {}, {"txtintervalo=7", "tab:2", "key:Alt+C", "?window.visible=false", "?row:intervalo = 5000"}},
    // "&Aceptar" stores only what the user changed, in one update: a field left alone keeps,
    // byte for byte, what the file holds when the button is pressed, even what another program
    // stored meanwhile (but a Null destination, shown as empty text, is stored as such). A
    // refusal names the first refused field in the order "&Aceptar" sets them (intervalo,
    // Puerto, baudios) and stores nothing; "&Cancelar" stores nothing.
    {"Null destination", "pathdest", {}, {"snapshot", "chkotrohh", "accept", "?changed:pathdest = \"\";askother = True"}},
    {"unshown field", "pathori", "C:\\origen", {"snapshot", "chkotrohh", "accept", "?changed:askother = True"}},
    {"interval beyond the spinner", "intervalo", 40000, {"snapshot", "chkotrohh", "accept", "?changed:askother = True"}},
    {"text longer than 32767", "filetoappend", kLongText, {"snapshot", "chkotrohh", "accept", "?changed:askother = True"}},
    {"not UTF-8", "filehost", kNotUtf8, {"snapshot", "chkotrohh", "accept", "?changed:askother = True"}},
    {"stored meanwhile", "Puerto", 1, {"set:Puerto=7", "snapshot", "chkotrohh", "accept", "?changed:askother = True"}},
    {"text stored meanwhile", "programatm", "a", {"set:programatm=b", "snapshot", "chkotrohh", "accept",
        "?changed:askother = True"}},
    {"typed over meanwhile", "programatm", "a", {"set:programatm=b", "snapshot", "txtprogramatm=c", "accept",
        "?changed:programatm = \"c\""}},
    {"typed longer than 32767", "programatm", "a", {"snapshot", "txtprogramatm=" + QString(40000, QLatin1Char('x')), "accept",
        "?changed:programatm = \"" + QString(40000, QLatin1Char('x')) + "\""}},
    {"check box", "", {}, {"snapshot", "ChkLectura", "accept", "?changed:modolectura = False"}},
    {"port", "", {}, {"snapshot", "cmbpuerto=5", "accept", "?changed:Puerto = 5"}},
    {"speed", "", {}, {"snapshot", "cmbvelocidad=19200", "accept", "?changed:baudios = 19200"}},
    {"interval", "", {}, {"snapshot", "vscintervalo^", "accept", "?changed:intervalo = 5001"}},
    {"cancelled", "", {}, {"snapshot", "chkotrohh", "txtintervalo=7", "cmdsetupcancelar", "?window.visible=false",
        "?changed:"}},
    {"letters as port", "", {}, {"snapshot", "chkotrohh", "cmbpuerto=COM1", "cmdsetup", "?failure:Setup.Puerto", "?changed:"}},
    {"empty interval", "", {}, {"snapshot", "chkotrohh", "txtintervalo=", "cmdsetup", "?failure:Setup.intervalo", "?changed:"}},
    {"interval and speed", "", {}, {"snapshot", "chkotrohh", "cmbvelocidad=rápido", "txtintervalo=cinco", "cmdsetup",
        "?failure:Setup.intervalo", "?changed:"}},
    {"port and speed", "", {}, {"snapshot", "chkotrohh", "cmbvelocidad=rápido", "cmbpuerto=COM1", "cmdsetup",
        "?failure:Setup.Puerto", "?changed:"}},
    // Each list editor stores every name at once, exactly as typed; after Enter, stored or
    // refused, the focus is on its "Agregar", so another Enter starts the next name.
    {"add", "names", "aaa.txt", {"%a", "adding", "key:Esc", "adding", "%e=  datos 1.txt ", "key:Return", "idle",
        "?%l.rows=aaa.txt,  datos 1.txt ", "?stored:%t=aaa.txt|  datos 1.txt "}},
    {"keypad Enter", "names", "", {"%a", "%e=b.txt", "key:Enter", "idle", "?stored:%t=b.txt"}},
    {"Tab", "names", "", {"%a", "%e=b.txt", "key:Tab", "?stored:%t="}},
    {"duplicate", "names", "uno.txt", {"%a", "%e=UNO.txt", "key:Return", "idle", "?messages=%n|48|Entrada ya existe",
        "%a", "%e=dos.txt", "key:Return", "?%l.rows=uno.txt,dos.txt", "?stored:%t=uno.txt|dos.txt"}},
    {"a second Enter after storing", "names", "uno.txt", {"select:%l:0", "%a", "%e=nuevo.txt", "key:Return", "idle",
        "key:Return", "adding", "?stored:%t=uno.txt|nuevo.txt"}},
    {"a second Enter after refusing", "names", "uno.txt", {"select:%l:0", "%a", "%e=uno.txt", "key:Return", "idle",
        "key:Return", "adding", "?stored:%t=uno.txt"}},
    {"delete", "names", "a.txt|b.txt|c.txt", {"%d", "select:%l:1", "%d", "%d", "?%l.rows=a.txt,c.txt",
        "?stored:%t=a.txt|c.txt", "?messages=DAZU|64|Seleccione un elemento para borrar;DAZU|64|Seleccione un elemento para borrar",
        "gone:%t:a.txt", "select:%l:0", "%d", "select:%l:0", "%d", "?stored:%t=", "%a", "%e=d.txt", "key:Return",
        "?%l.rows=d.txt", "?stored:%t=d.txt"}},
    {"not UTF-8", "names", "caf\xe9.txt", {"?%l.rows=caf\uFFFD.txt", "select:%l:0", "%d", "?%l.rows=", "?stored:%t=",
        "?messages="}},
    {"keys move the selection", "names", sixty(), {"select:%l:5", "key:Down", "key:Down", "?selected:%l=7", "key:Home",
        "?selected:%l=0", "key:End", "key:Down", "?selected:%l=59", "key:PgUp", "key:PgDown", "?selected:%l=59",
        "select:%l:5", "key:Left", "?selected:%l=5"}},
    // clang-format on
};

const QStringList kAccept = {"cmdsetup", "?window.visible=false", "?messages="};
const QStringList kAdding = {"?%e.enabled=true", "?%a.enabled=false", "?%e.focus=true",
                             "?%e.back=" + QString::number(WindowColor, 16)};
const QStringList kIdle = {"?%e.enabled=false", "?%a.enabled=true", "?%a.focus=true",
                           "?%e.text=", "?%e.back=" + QString::number(ButtonFaceColor, 16)};

bool takesFocus(const ControlSpec& definition) {
    return definition.kind != ControlKind::Label && definition.kind != ControlKind::Frame;
}

// Relative luminance, as the web content guidelines measure contrast, offset by their 0.05.
qreal luminance(QRgb rgb) {
    const auto c = [](int v) {
        return v <= 10 ? v / 255.0 / 12.92 : std::pow((v / 255.0 + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * c(qRed(rgb)) + 0.7152 * c(qGreen(rgb)) + 0.0722 * c(qBlue(rgb)) + 0.05;
}

} // namespace

class tst_Window : public QObject {
    Q_OBJECT

    WindowFixture* f = nullptr;
    QStringList snapshot; // the stored settings row at a step "snapshot"
    QTabWidget* tabs() const { return f->control<QTabWidget>("SSTab1"); }

    void load(WindowFixture& fixture) {
        f = &fixture;
        f->load().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->window.get()));
    }
    // A control as a user reaches it: its tab in front.
    template <typename T = QWidget> T* shown(const QString& name) {
        T* control = Control<T>(*f->window, name);
        for (int page = 0; page < tabs()->count(); ++page)
            if (tabs()->widget(page)->isAncestorOf(control))
                tabs()->setCurrentIndex(page);
        return control;
    }
    void focusOn(QWidget* control) {
        shown(control->objectName());
        control->setFocus(Qt::OtherFocusReason); // not by Tab: as at start
        QTRY_VERIFY(control->hasFocus() || control->isAncestorOf(QApplication::focusWidget()));
    }
    void check(const QString& check) {
        const QString what = check.section('=', 0, 0), value = check.section('=', 1);
        const QString verb = what.section(':', 0, 0), operand = what.section(':', 1);
        const std::string database = f->folder.databasePath();
        if (verb == QLatin1String("stored")) {
            QStringList stored = dazu::test::ListNames(database, operand.toStdString());
            for (const QString& name : value.split('|', Qt::SkipEmptyParts)) // in index order
                QVERIFY2(stored.removeOne(name), qPrintable(name));
            QVERIFY2(stored.isEmpty(), qPrintable(stored.join(',')));
        } else if (verb == QLatin1String("row")) {
            QVERIFY2(dazu::test::StoredRow(database).contains(check.mid(4)), qPrintable(check));
        } else if (verb == QLatin1String("changed")) { // the snapshot with these readings
            QStringList expected = snapshot;
            for (const QString& reading : check.mid(8).split(';', Qt::SkipEmptyParts))
                expected.replaceInStrings(
                    QRegularExpression('^' + reading.section(" = ", 0, 0) + " = .*$",
                                       QRegularExpression::DotMatchesEverythingOption),
                    reading);
            QCOMPARE(dazu::test::StoredRow(database), expected);
        } else if (verb == QLatin1String("failure")) {
            QCOMPARE(f->messages.size(), 1);
            QVERIFY2(f->failed() && f->messages.front().contains(operand),
                     qPrintable(f->messages.front()));
        } else if (verb == QLatin1String("messages")) {
            QCOMPARE(f->messages.join(';'), value);
        } else if (verb == QLatin1String("selected")) {
            auto* list = f->control<QAbstractItemView>(qPrintable(operand));
            const QModelIndexList selected = list->selectionModel()->selectedIndexes();
            QCOMPARE(selected.size(), 1);
            QCOMPARE(selected.front().row(), value.toInt());
            QCOMPARE(list->indexAt(list->visualRect(selected.front()).center()), selected.front());
            QVERIFY(list->viewport()->rect().contains(list->visualRect(selected.front())));
        } else {
            const QString name = what.section('.', 0, 0), aspect = what.section('.', 1);
            QWidget* control =
                name == QLatin1String("window") ? f->window.get() : Control(*f->window, name);
            const auto read = [&] {
                if (aspect == QLatin1String("fore") || aspect == QLatin1String("back"))
                    return QString::number(aspect == QLatin1String("fore") ? ForeColor(control)
                                                                           : BackColor(control),
                                           16);
                if (aspect == QLatin1String("rows"))
                    return dazu::test::ShownRows(*qobject_cast<QAbstractItemView*>(control))
                        .join(',');
                return control->property(qPrintable(aspect)).toString();
            };
            QTRY_COMPARE(read(), value); // an accelerator shows its button going down first
        }
    }
    void act(const QString& step) {
        setup& window = *f->window;
        const QString verb = step.section(':', 0, 0), operand = step.section(':', 1);
        if (step.startsWith('?')) {
            check(step.mid(1));
        } else if (step == QLatin1String("snapshot")) {
            snapshot = dazu::test::StoredRow(f->folder.databasePath());
        } else if (verb == QLatin1String("set")) { // stored by another program
            bool number = false;
            const int n = operand.section('=', 1).toInt(&number);
            f->store(qPrintable(operand.section('=', 0, 0)),
                     number ? Variant(n) : Variant(operand.section('=', 1).toStdString()));
        } else if (verb == QLatin1String("focus")) {
            focusOn(Control(window, operand));
        } else if (verb == QLatin1String("tab")) {
            tabs()->setCurrentIndex(operand.toInt());
            focusOn(tabs());
        } else if (verb == QLatin1String("key")) {
            QTRY_VERIFY(QApplication::focusWidget());
            const QKeyCombination key = QKeySequence(operand)[0];
            // Without the text a key may carry: Enter is known by its code alone.
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), key.key(), QString(),
                                key.keyboardModifiers());
        } else if (verb == QLatin1String("select")) {
            dazu::test::ClickRow(*shown<QAbstractItemView>(operand.section(':', 0, 0)),
                                 operand.section(':', 1).toInt());
        } else if (verb == QLatin1String("gone")) {
            auto tables = f->database();
            auto& table = operand.startsWith(QLatin1String("Files")) ? tables.Files : tables.FPCHH;
            table.Index("FILE");
            QVERIFY(dazu::config::DeleteFileName(table, operand.section(':', 1).toStdString()));
        } else if (verb == QLatin1String("choose")) {
            QString title;
            dazu::files::SetFolderChooser([&title, operand](const QString& shown) {
                title = shown;
                return operand.isEmpty() ? QUrl() : QUrl::fromLocalFile(operand);
            });
            QTest::mouseClick(Control(window, "Command1"), Qt::LeftButton);
            dazu::files::SetFolderChooser({});
            QCOMPARE(title, "Seleccione el directorio donde quiere dejar los archivos");
        } else if (step.contains('=')) {
            dazu::test::TypeText(Control(window, step.section('=', 0, 0)), step.section('=', 1));
        } else if (step.startsWith(QLatin1String("vscintervalo"))) {
            auto* spinner = shown<UpDown>(QStringLiteral("vscintervalo"));
            const int y = step.endsWith('^') ? 2 : spinner->height() - 3;
            QTest::mouseClick(spinner, Qt::LeftButton, {}, {spinner->width() / 2, y});
        } else {
            QTest::mouseClick(shown(step), Qt::LeftButton);
        }
    }

private Q_SLOTS:
    void scenario_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("editor"); // -1 outside the list editors
        for (const Scenario& s : kScenarios)
            for (int editor :
                 s.steps.join(QString()).contains('%') ? QList<int>{0, 1} : QList<int>{-1})
                QTest::addRow("%s%s",
                              editor < 0 ? ""
                              : editor   ? "FPCHH: "
                                         : "Files: ",
                              s.name)
                    << int(&s - kScenarios) << editor;
    }
    void scenario() {
        QFETCH(int, row);
        QFETCH(int, editor);
        const Scenario& s = kScenarios[row];
        const auto& e = editor ? dazu::test::kFpchhList : dazu::test::kFilesList;
        const auto& other = editor ? dazu::test::kFilesList : dazu::test::kFpchhList;
        WindowFixture fixture;
        fixture.database();
        if (s.field == std::string("names")) {
            std::vector<std::string> names;
            for (const QByteArray& name : QByteArray::fromStdString(s.stored.toText()).split('|'))
                if (!name.isEmpty())
                    names.push_back(name.toStdString());
            for (const char* table : {"Files", "FPCHH"})
                fixture.folder.addNames(table, names);
        } else if (*s.field) {
            fixture.store(s.field, s.stored);
        }
        const QStringList otherNames =
            dazu::test::ListNames(fixture.folder.databasePath(), other.table);
        load(fixture);
        QVERIFY(!fixture.failed());
        QStringList steps;
        for (const QString& step : s.steps) // the editor's add mode, and where the focus is
            steps << (step == QLatin1String("accept")   ? kAccept
                      : step == QLatin1String("adding") ? kAdding
                      : step == QLatin1String("idle")   ? kIdle
                                                        : QStringList{step});
        for (QString step : steps) {
            // clang-format off
            for (const auto& [mark, text] : {std::pair{"%l", e.controls.list}, {"%e", e.controls.entry},
                     {"%a", e.controls.addButton}, {"%d", e.controls.deleteButton}, {"%t", e.table},
                     {"%n", e.controls.duplicateTitle}})
                step.replace(QLatin1String(mark), QLatin1String(text));
            // clang-format on
            act(step);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("at ") + step));
        }
        if (editor >= 0)
            QCOMPARE(dazu::test::ListNames(fixture.folder.databasePath(), other.table), otherNames);
    }

    // Held, an arrow steps once, again after a pause, then quickly; released, it stops. Only
    // the left button steps.
    void holdingAnArrowRepeats() {
        WindowFixture fixture;
        fixture.store("intervalo", 0);
        auto* spinner = Control<UpDown>(fixture.load(), "vscintervalo");
        const QPoint up(spinner->width() / 2, 2);
        QTest::mousePress(spinner, Qt::LeftButton, {}, up);
        QTRY_VERIFY_WITH_TIMEOUT(spinner->value() >= 12, 1500); // 300 ms, then every 50 ms
        QTest::mouseRelease(spinner, Qt::LeftButton, {}, up);
        const int released = spinner->value();
        QTest::qWait(150); // what is tested is that nothing happens meanwhile
        QCOMPARE(spinner->value(), released);
        QTest::mouseClick(spinner, Qt::RightButton, {}, up);
        QCOMPARE(spinner->value(), released);
    }

    // Measured with the controls' own metrics, as Qt lays out their texts.
    void noCaptionCutOff() {
        WindowFixture fixture;
        load(fixture);
        for (const ControlSpec& definition : Controls()) {
            QWidget* control = Control(*fixture.window, definition.name);
            const QString text = VisibleText(definition.caption);
            int room = control->width(), needed = control->fontMetrics().horizontalAdvance(text);
            if (qobject_cast<QLabel*>(control) || qobject_cast<QCheckBox*>(control)) {
                needed = control->sizeHint().width();
                QVERIFY2(control->fontMetrics().height() <= control->height(), definition.name);
            } else if (auto* button = qobject_cast<QPushButton*>(control)) {
                QVERIFY2(!text.contains('&'), qPrintable(text)); // it only marks the Alt key
                QStyleOptionButton option;
                option.initFrom(button);
                room = button->style()
                           ->subElementRect(QStyle::SE_PushButtonContents, &option, button)
                           .width();
            } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
                room = combo->lineEdit()->width() - 4; // the editor's own margins
            }
            QVERIFY2(needed <= room,
                     qPrintable(QStringLiteral("%1: %2 > %3").arg(text).arg(needed).arg(room)));
        }
        // The size the window was designed for, reached with the faces the project installs.
        QVERIFY2(QFontInfo(fixture.window->font()).pointSizeF() >= 8,
                 qPrintable(fixture.window->font().family()));
    }

    // Tab walks the shown page's enabled controls in tab-index order, and round again.
    void tabOrder_data() {
        QTest::addColumn<int>("tab");
        for (int tab = 0; tab < 3; ++tab)
            QTest::newRow(kTabCaptions[tab]) << tab;
    }
    void tabOrder() {
        QFETCH(int, tab);
        WindowFixture fixture;
        load(fixture);
        tabs()->setCurrentIndex(tab);
        std::vector<const ControlSpec*> order;
        for (const ControlSpec& definition : Controls())
            if (takesFocus(definition) && Control(*fixture.window, definition.name)->isEnabled() &&
                Control(*fixture.window, definition.name)->isVisible())
                order.push_back(&definition);
        std::sort(order.begin(), order.end(),
                  [](auto* a, auto* b) { return a->tabIndex < b->tabIndex; });
        QStringList expected, walked;
        for (const ControlSpec* definition : order)
            expected << QLatin1String(definition->name);
        focusOn(tabs());
        for (qsizetype i = 0; i <= expected.size();
             ++i, QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab))
            for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
                if (expected.contains(w->objectName())) {
                    walked << w->objectName(); // a combo box's editor, the tab strip
                    break;
                }
        QCOMPARE(walked, expected << QStringLiteral("SSTab1"));
    }

    // Wherever the focus is, the user sees it from the start: at least a two-pixel line down
    // both sides changes by 3:1, the least contrast asked of a focus cue.
    void focusIsSeen_data() {
        QTest::addColumn<QString>("name");
        for (const ControlSpec& definition : Controls())
            if (takesFocus(definition) && !(definition.traits & Disabled))
                QTest::newRow(definition.name) << QString::fromLatin1(definition.name);
    }
    void focusIsSeen() {
        QFETCH(QString, name);
        WindowFixture fixture;
        fixture.store("correrprogramapc", true); // so that every box takes the focus
        fixture.store("unirarchivos", true);
        load(fixture);
        focusOn(Control(*fixture.window,
                        name == QLatin1String("cmdsetup") ? "cmdsetupcancelar" : "cmdsetup"));
        const QImage without = fixture.window->grab().toImage();
        focusOn(Control(*fixture.window, name));
        const QImage with = fixture.window->grab().toImage();
        QWidget* shown =
            name == QLatin1String("SSTab1") ? tabs()->tabBar() : Control(*fixture.window, name);
        const QRect area = QRect(shown->mapTo(fixture.window.get(), QPoint()), shown->size())
                               .adjusted(-3, -3, 3, 3);
        int seen = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                seen += qMax(luminance(without.pixel(x, y)), luminance(with.pixel(x, y))) >=
                        3 * qMin(luminance(without.pixel(x, y)), luminance(with.pixel(x, y)));
        QVERIFY2(seen >= 4 * shown->height(), qPrintable(QString::number(seen)));
    }

#ifndef Q_OS_WIN // tst_systemcolors_windows checks the system's own colours there
    // Dimmed and normal captions differ, and stay readable in a dark and in a light scheme.
    void captionColoursFollowTheScheme() {
        WindowFixture fixture;
        load(fixture);
        auto* check = fixture.control<QCheckBox>("chkprogramapc");
        const auto caption = [check] {
            return check->palette().color(QPalette::Active, check->foregroundRole());
        };
        const QColor dimmed = caption();
        check->setChecked(true);
        QVERIFY(caption() != dimmed);
        for (const QPalette& scheme :
             {QPalette(QColor(53, 53, 53), QColor(35, 35, 35)), QPalette()}) {
            QApplication::setPalette(scheme); // reaches the controls through the event loop
            QTRY_COMPARE(check->palette().color(QPalette::Window), scheme.color(QPalette::Window));
            const QColor background = check->palette().color(check->backgroundRole());
            for (bool checked : {false, true}) {
                check->setChecked(checked);
                QVERIFY(caption().alphaF() *
                            qAbs(caption().lightnessF() - background.lightnessF()) >=
                        0.35);
            }
            const QLineEdit* entry = fixture.control<QLineEdit>("txtfile");
            QCOMPARE(entry->palette().color(QPalette::Disabled, QPalette::Base).lightness() < 128,
                     background.lightness() < 128);
        }
    }
#endif
};

QTEST_MAIN(tst_Window)
#include "tst_window.moc"
