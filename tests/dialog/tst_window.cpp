// The window as a user meets it, loaded on a copy of the portable folder: what it shows, the
// controls that follow others, the folder picker, the keyboard, the two list editors,
// "&Aceptar" and "&Cancelar"; and, for the eye, captions whole at this machine's fonts, a
// focus cue wherever the focus is, captions readable in any colour scheme (on Windows the
// system's own colours, followed when the user changes them). Names, roles and
// places of the controls are read from the running program by tests/screenreader.
#include "Layout.h"
#include "Platform.h"
#include "SystemColor.h"
#include "TestSupport.h"
#include "UpDown.h"
#include "WindowUser.h"

#include <cmath>
#include <optional>
#include <QtTest>
#include <QtWidgets>
#include <SQLiteCpp/Database.h>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace dazu::test;
using namespace dazu::dialog;

namespace {

// The system colour references a check names.
// clang-format off
const QHash<quint32, QString> kColours = {{InactiveCaptionColor, "grey"}, {MenuTextColor, "text"},
    {WindowColor, "window"}, {ButtonFaceColor, "face"}};
// clang-format on
const QString kFolder = QDir::toNativeSeparators(QDir::tempPath() + QStringLiteral("/D"));
const QString kSep = dazu::files::PathSeparator(), kLong(40000, QLatin1Char('x'));
const QString kRefused = "DAZU|16|cannot store TEXT value in INTEGER column Setup.";
std::vector<std::string> sixty() {
    std::vector<std::string> names;
    for (int i = 100; i < 160; ++i)
        names.push_back(std::to_string(i));
    return names;
}

// A start with these settings and, in both lists, these names stored, then the user's steps
// (WindowUser) and "sql STATEMENT", another program's change. A check "?A B.aspect=value" reads
// a property of controls A and B, or "fore"/"back" (a caption's or box's colour reference), "rows"
// (a list's), "selected" (a list's selected rows in sight), "stored" (table A's names in index
// order), "changed" (the readings of the stored row that differ from those at the start or at
// the last "sql"), "messages" (the boxes shown). Rows with "#" are run on each tab, rows with
// "%" for both list editors: %l list, %e entry box, %a "Agregar", %d "&Borrar", %t table, %n the
// title of its duplicate-name box; "adding" and "idle" check the editor's add mode and where
// the focus is.
const struct Scenario {
    const char* name;
    SettingsChanges stored;
    QStringList steps;
    std::vector<std::string> names = {};
} kScenarios[] = {
    // clang-format off
    // The check boxes govern their controls, which keep what they hold; the box that deletes
    // the joined file keeps its check mark while disabled.
    {"first start, then the check boxes", {{"borrar", true}}, {"?chkprogramatm.fore=text",
        "?chkprogramapc chkunirarchivos.checked=false", "?chkprogramatm ChkLectura.checked=true",
        "?Txtprogramapc txtfilehost txtfiletoappend chkborrarfiletoappend.enabled=false",
        "?chkprogramapc lblfilehost Label3 chkunirarchivos.fore=grey", "?SSTab1.currentIndex=0",
        "?txtprogramatm.enabled=true", "?chkborrarfiletoappend.checked=true", "click",
        "chkprogramapc", "?Txtprogramapc.enabled=true", "?chkprogramapc.fore=text",
        "?Txtprogramapc.text=c:\\windows\\calc.exe", "click", "chkprogramatm",
        "?txtprogramatm.enabled=false", "?chkprogramatm.fore=grey", "click", "chkprogramatm",
        "?txtprogramatm.enabled=true", "?chkprogramatm.fore=text", "click", "chkunirarchivos",
        "?txtfilehost txtfiletoappend chkborrarfiletoappend.enabled=true",
        "?chkborrarfiletoappend.checked=true", "?lblfilehost Label3 chkunirarchivos.fore=text",
        "?txtfilehost.text=c:\\xxx\\mezcla.txt", "click", "chkunirarchivos",
        "?txtfilehost chkborrarfiletoappend.enabled=false", "?Label3.fore=grey"}},
    // A stored interval beyond the spinner's top steps down from the top.
    {"stored values", {{"correrprogramapc", true}, {"correrprogramatm", false},
        {"modolectura", false}, {"Puerto", 3}, {"baudios", 1200}, {"programapc", "  a "},
        {"intervalo", 40000}}, {"?Txtprogramapc.enabled=true", "?chkprogramapc.fore=text",
        "?chkprogramatm.fore=grey", "?txtprogramatm.enabled=false", "?ChkLectura.checked=false",
        "?cmbpuerto.currentIndex=2", "?cmbvelocidad.currentText=1200",
        "?cmbvelocidad.currentIndex=-1", "?Txtprogramapc.text=  a ", "arrow", "down",
        "?txtintervalo.text=31999"}},
    // The spinner steps from its own value, not from what was typed, within 0 to 32000, by
    // its arrows and by Up and Down; it passes other keys on (Ctrl+Tab to the tab control).
    {"spinner up to the top", {{"intervalo", 31999}}, {"type", "txtintervalo", "7", "arrow",
        "up", "?txtintervalo.text=32000", "type", "txtintervalo", "7", "arrow", "up", "focus",
        "vscintervalo", "key", "Up", "?txtintervalo.text=7", "key", "Down",
        "?txtintervalo.text=31999", "key", "Ctrl+Tab", "?SSTab1.currentIndex=2"}},
    {"spinner down to 0", {{"intervalo", 1}}, {"type", "txtintervalo", "7", "arrow", "down",
        "?txtintervalo.text=0", "type", "txtintervalo", "7", "arrow", "down", "focus",
        "vscintervalo", "key", "Down", "?txtintervalo.text=7", "key", "Up, Up",
        "?txtintervalo.text=2"}},
    // "..." writes the chosen folder into the destination box, ended by a separator.
    {"picker", {{"pathdest", "antes"}}, {"choose", "", "?txtpathdest.text=antes", "choose",
        "/" + QString(260, QLatin1Char('x')), "?txtpathdest.text=antes", "choose",
        kFolder + " 2 ", "?txtpathdest.text=" + kFolder + " 2 " + kSep, "choose", QDir::rootPath(),
        "?txtpathdest.text=" + QDir::toNativeSeparators(QDir::rootPath())}},
    // Only a focused button takes Enter, nothing takes Escape; Alt+A and Alt+C work on every tab.
    {"Enter and Escape elsewhere, keypad Enter on Cancelar", {}, {"focus", "txtprogramatm",
        "key", "Return, Esc", "focus", "chkprogramapc", "key", "Return, Esc", "focus",
        "txtintervalo", "key", "Return, Esc", "focus", "cmbpuerto", "key", "Return, Esc",
        "focus", "cmdsetup", "key", "Esc", "?window.visible=true", "type", "txtintervalo", "7",
        "focus", "cmdsetupcancelar", "key", "Enter", "?window.visible=false", "?window.changed="}},
    {"Alt+A", {}, {"type", "txtintervalo", "7", "tab", "#", "key", "Alt+A",
        "?window.visible=false", "?window.changed=intervalo = 7"}},
    {"Alt+C", {}, {"type", "txtintervalo", "7", "tab", "#", "key", "Alt+C",
        "?window.visible=false", "?window.changed="}},
    // "&Aceptar" stores only what the user changed, in one update: a field left alone keeps,
    // byte for byte, what the file holds when the button is pressed, even what another program
    // stored meanwhile (but a Null destination, shown as empty text, is stored as such). A
    // refusal names the first refused field in the order "&Aceptar" sets them (intervalo,
    // Puerto, baudios) and stores nothing; "&Cancelar" stores nothing.
    {"fields left alone, some stored meanwhile, one typed over", {{"pathdest", {}},
        {"pathori", "C:\\origen"}, {"intervalo", 40000}, {"filetoappend", kLong.toStdString()},
        {"filehost", "C:\\datos\\a\xF1o\xFF.txt"}, {"programatm", "a"}}, {"?txtpathdest.text=",
        "?txtintervalo.text=40000", "sql", "UPDATE Setup SET Puerto = 7, programatm = 'b'",
        "click", "chkotrohh", "type", "txtprogramatm", kLong, "accept",
        "?window.changed=programatm = \"" + kLong + "\";askother = True;pathdest = \"\""}},
    {"each kind of control, Enter on Aceptar", {}, {"click", "ChkLectura", "type", "cmbpuerto",
        "5", "type", "cmbvelocidad", "19200", "arrow", "up", "focus", "cmdsetup", "key", "Return",
        "?window.visible=false", "?window.messages=",
        "?window.changed=modolectura = False;Puerto = 5;baudios = 19200;intervalo = 5001"}},
    {"empty interval, port and speed, then port and speed", {}, {"click", "chkotrohh", "type",
        "cmbvelocidad", "rápido", "type", "cmbpuerto", "COM1", "type", "txtintervalo", "",
        "click", "cmdsetup", "type", "txtintervalo", "5", "click", "cmdsetup", "?window.changed=",
        "?window.messages=" + kRefused + "intervalo;" + kRefused + "Puerto"}},
    // Each list editor stores every name at once, exactly as typed; after Enter, stored or
    // refused, the focus is on its "Agregar", so another Enter starts the next name.
    // Tab leaves the name unstored; keypad Enter stores it.
    {"add", {}, {"click", "%a", "adding", "key", "Esc", "adding", "type", "%e", "  datos 1.txt ",
        "key", "Tab", "?%t.stored=aaa.txt", "focus", "%e", "key", "Enter", "idle",
        "?%l.rows=aaa.txt,  datos 1.txt ", "?%t.stored=  datos 1.txt |aaa.txt"}, {"aaa.txt"}},
    {"refused, then stored", {}, {"select", "%l", "0", "click", "%a", "type", "%e", "UNO.txt",
        "key", "Return", "idle", "?window.messages=%n|48|Entrada ya existe", "key", "Return",
        "adding", "type", "%e", "dos.txt", "key", "Return", "idle", "key", "Return", "adding",
        "?%l.rows=uno.txt,dos.txt", "?%t.stored=dos.txt|uno.txt"}, {"uno.txt"}},
    {"delete", {}, {"click", "%d", "select", "%l", "1", "click", "%d", "click", "%d",
        "?%l.rows=a.txt,c.txt", "?%t.stored=a.txt|c.txt", "?window.messages=DAZU|64|Seleccione "
        "un elemento para borrar;DAZU|64|Seleccione un elemento para borrar", "sql",
        "DELETE FROM %t WHERE FILE = 'a.txt'", "select", "%l", "0", "click", "%d", "select", "%l",
        "0", "click", "%d", "?%t.stored=", "click", "%a", "type", "%e", "d.txt", "key", "Return",
        "?%l.rows=d.txt", "?%t.stored=d.txt"}, {"a.txt", "b.txt", "c.txt"}},
    {"not UTF-8", {}, {"?%l.rows=caf\uFFFD.txt", "select", "%l", "0", "click", "%d", "?%l.rows=",
        "?%t.stored=", "?window.messages="}, {"caf\xe9.txt"}},
    {"keys move the selection", {}, {"select", "%l", "5", "key", "Down, Down", "?%l.selected=7",
        "key", "Home", "?%l.selected=0", "key", "End, Down", "?%l.selected=59", "key",
        "PgUp, PgDown", "?%l.selected=59", "select", "%l", "5", "key", "Left", "?%l.selected=5"},
        sixty()},
    // clang-format on
};

// What "accept" and the list editor's states stand for in a row.
const QHash<QString, QStringList> kShorthands = {
    {"accept", {"accept", "?window.visible=false", "?window.messages="}},
    {"adding", {"?%e.enabled=true", "?%a.enabled=false", "?%e.focus=true", "?%e.back=window"}},
    {"idle",
     {"?%e.enabled=false", "?%a.enabled=true", "?%a.focus=true", "?%e.text=", "?%e.back=face"}}};

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

    std::optional<AppFolder> folder;
    std::optional<WindowUser> user;
    QStringList snapshot; // the stored settings row at the start, or after the last "sql"

    setup& window() { return *user->window; }
    std::string database() const { return folder->databasePath(); }

    // The window, active, on a copy of the portable folder with these settings and, in both
    // lists, these names stored.
    void open(const SettingsChanges& stored = {}, const std::vector<std::string>& names = {}) {
        user.reset();
        folder.emplace(AppFolder::CopyOfDist);
        folder->seed(stored);
        for (const char* table : {"Files", "FPCHH"})
            folder->addNames(table, names);
        snapshot = StoredRow(database());
        user.emplace(folder->path());
        user->window = LoadWindow(folder->path());
        window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window()));
    }
    void run(const QStringList& steps) {
        for (qsizetype i = 0; i < steps.size() && !QTest::currentTestFailed(); ++i) {
            const QString& step = steps[i];
            // "?A B.aspect=value": each named control's (or table's) aspect; an accelerator shows
            // its button going down first.
            if (const QString what = step.section('=', 0, 0).mid(1); step.startsWith('?')) {
                for (const QString& name : what.section('.', 0, 0).split(' '))
                    QTRY_COMPARE(read(name, what.section('.', 1)), step.section('=', 1));
            } else if (step == QLatin1String("sql")) { // another program's change
                SQLite::Database(database(), SQLite::OPEN_READWRITE).exec(steps[++i].toStdString());
                snapshot = StoredRow(database());
            } else {
                user->step(steps, i);
            }
            QVERIFY2(!QTest::currentTestFailed(), qPrintable(QStringLiteral("at ") + step));
        }
    }
    QString read(const QString& name, const QString& aspect) {
        QWidget* box = name == u"window" ? &window() : Control(window(), name);
        auto* list = qobject_cast<QAbstractItemView*>(box);
        if (aspect == u"stored")
            return ListNames(database(), name.toStdString()).join('|');
        if (aspect == u"messages")
            return user->met.join(';');
        if (aspect == u"changed")
            return ChangedReadings(snapshot, StoredRow(database())).join(';');
        if (aspect == u"fore" || aspect == u"back") {
            const quint32 colour = aspect == u"fore" ? ForeColor(box) : BackColor(box);
            return kColours.value(colour, QString::number(colour, 16));
        }
        if (aspect == u"rows")
            return ShownRows(*list).join(',');
        if (aspect == u"selected") { // the selected rows in sight
            QStringList rows;
            for (const QModelIndex& index : list->selectionModel()->selectedIndexes())
                if (list->viewport()->rect().contains(list->visualRect(index)))
                    rows << QString::number(index.row());
            return rows.join(',');
        }
        return box->property(qPrintable(aspect)).toString();
    }

private Q_SLOTS:
    void scenario_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("variant"); // the tab, or the list editor; -1 for neither
        for (const Scenario& s : kScenarios) {
            const QString steps = s.steps.join(QString());
            const int variants = steps.contains('%') ? 2 : steps.contains('#') ? 3 : 0;
            for (int v = variants ? 0 : -1; v < variants; ++v) // "name 0": the first tab or list
                QTest::addRow(v < 0 ? "%s" : "%s %d", s.name, v) << int(&s - kScenarios) << v;
        }
    }
    void scenario() {
        QFETCH(int, row);
        QFETCH(int, variant);
        const Scenario& s = kScenarios[row];
        const FileList& e = variant == 1 ? kFpchhList : kFilesList;
        const char* other = variant == 1 ? kFilesList.table : kFpchhList.table;
        open(s.stored, s.names);
        const QStringList otherNames = ListNames(database(), other);
        QStringList steps;
        for (const QString& step : s.steps)
            steps << kShorthands.value(step, {step});
        // clang-format off
        for (const auto& [mark, text] :
             {std::pair{"%l", e.list}, {"%e", e.entry}, {"%a", e.addButton},
              {"%d", e.deleteButton}, {"%t", e.table}, {"%n", e.duplicateTitle}})
            steps.replaceInStrings(QLatin1String(mark), QLatin1String(text));
        // clang-format on
        steps.replaceInStrings(QStringLiteral("#"), QString::number(variant));
        run(steps);
        QCOMPARE(ListNames(database(), other), otherNames);
    }

    // Held, an arrow steps once, again after a pause, then quickly; released, it stops. Only
    // the left button steps.
    void holdingAnArrowRepeats() {
        open({{"intervalo", 0}});
        auto* spinner = Control<UpDown>(window(), "vscintervalo");
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
        open();
        for (const ControlSpec& definition : Controls()) {
            QWidget* box = Control(window(), QLatin1String(definition.name));
            const QString text = VisibleText(definition.caption);
            int room = box->width(), needed = box->fontMetrics().horizontalAdvance(text);
            if (qobject_cast<QLabel*>(box) || qobject_cast<QCheckBox*>(box)) {
                needed = box->sizeHint().width();
                QVERIFY2(box->fontMetrics().height() <= box->height(), definition.name);
            } else if (auto* button = qobject_cast<QPushButton*>(box)) {
                QVERIFY2(!text.contains('&'), qPrintable(text)); // it only marks the Alt key
                QStyleOptionButton option;
                option.initFrom(button);
                room = button->style()
                           ->subElementRect(QStyle::SE_PushButtonContents, &option, button)
                           .width();
            } else if (auto* combo = qobject_cast<QComboBox*>(box)) {
                room = combo->lineEdit()->width() - 4; // the editor's own margins
            }
            QVERIFY2(needed <= room,
                     qPrintable(QStringLiteral("%1: %2 > %3").arg(text).arg(needed).arg(room)));
        }
        // The size the window was designed for, reached with the faces the project installs.
        QVERIFY2(QFontInfo(window().font()).pointSizeF() >= 8,
                 qPrintable(window().font().family()));
    }

    // On each tab, Tab walks the shown page's enabled controls in tab-index order, and round
    // again.
    void tabOrder() {
        open();
        for (int tab = 0; tab < 3; ++tab) {
            run({"tab", QString::number(tab)});
            QMap<int, QString> order; // by tab index
            for (const ControlSpec& definition : Controls())
                if (QWidget* box = Control(window(), QLatin1String(definition.name));
                    takesFocus(definition) && box->isEnabled() && box->isVisible())
                    order[definition.tabIndex] = QLatin1String(definition.name);
            QStringList walked, expected = order.values();
            for (qsizetype i = 0; i <= expected.size();
                 ++i, QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab)) {
                QWidget* w = QApplication::focusWidget(); // or a combo box's editor, the tab strip
                while (w && !expected.contains(w->objectName()))
                    w = w->parentWidget();
                walked << (w ? w->objectName() : QStringLiteral("elsewhere"));
            }
            QCOMPARE(walked, expected << QStringLiteral("SSTab1"));
        }
    }

    // Wherever the focus is, the user sees it from the start: at least a two-pixel line down
    // both sides changes by 3:1, the least contrast asked of a focus cue.
    void focusIsSeen() {
        open({{"correrprogramapc", true}, {"unirarchivos", true}}); // every box takes the focus
        for (const ControlSpec& definition : Controls()) {
            if (!takesFocus(definition) || (definition.traits & Disabled))
                continue;
            const QString name = QLatin1String(definition.name);
            // From a button far off, with the control's tab already in front.
            run({"focus", name, "focus",
                 QLatin1String(name == "cmdsetup" ? "cmdsetupcancelar" : "cmdsetup")});
            const QImage without = window().grab().toImage();
            run({"focus", name});
            const QImage with = window().grab().toImage();
            QWidget* shown = name == "SSTab1" ? Control<QTabWidget>(window(), "SSTab1")->tabBar()
                                              : Control(window(), name);
            const QRect area =
                QRect(shown->mapTo(&window(), QPoint()), shown->size()).adjusted(-3, -3, 3, 3);
            int seen = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    seen += qMax(luminance(without.pixel(x, y)), luminance(with.pixel(x, y))) >=
                            3 * qMin(luminance(without.pixel(x, y)), luminance(with.pixel(x, y)));
            QVERIFY2(seen >= 4 * shown->height(), qPrintable(name + ": " + QString::number(seen)));
        }
    }

#ifdef Q_OS_WIN
    // A system colour reference is the system's own colour (GetSysColor), read again when the
    // user changes the colour scheme while the window is open.
    void captionColoursFollowTheScheme() {
        open();
        QWidget *caption = Control(window(), "Label3"), *entry = Control(window(), "txtprogramatm");
        // clang-format off
        const std::pair<SystemColor, int> references[] = {{InactiveCaptionColor,
            COLOR_INACTIVECAPTION}, {WindowColor, COLOR_WINDOW}, {MenuTextColor, COLOR_MENUTEXT},
            {WindowTextColor, COLOR_WINDOWTEXT}, {ButtonFaceColor, COLOR_BTNFACE}};
        // clang-format on
        for (auto [reference, index] : references) {
            SetForeColor(caption, reference);
            SetBackColor(entry, reference);
            const COLORREF previous = GetSysColor(index), changed = previous ^ RGB(1, 2, 3);
            const auto restore = qScopeGuard([&] { SetSysColors(1, &index, &previous); });
            for (const COLORREF colour : {previous, changed}) {
                // The user's scheme: the system tells every window.
                SetSysColors(1, &index, &colour);
                const QColor system(GetRValue(colour), GetGValue(colour), GetBValue(colour));
                QTRY_COMPARE(caption->palette().color(QPalette::Active, caption->foregroundRole()),
                             system);
                QCOMPARE(entry->palette().color(QPalette::Active, entry->backgroundRole()), system);
            }
        }
    }
#else
    // Dimmed and normal captions differ, and stay readable in a dark and in a light scheme.
    void captionColoursFollowTheScheme() {
        open();
        auto* check = Control<QCheckBox>(window(), "chkprogramapc");
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
            const QPalette entry = Control<QLineEdit>(window(), "txtfile")->palette();
            QCOMPARE(entry.color(QPalette::Disabled, QPalette::Base).lightness() < 128,
                     background.lightness() < 128);
        }
    }
#endif
};

QTEST_MAIN(tst_Window)
#include "tst_window.moc"
