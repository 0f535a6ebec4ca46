// Whatever the user types into the window is stored and read back exactly, or refused with
// the engine's description and nothing stored; a name never matches another one by a pattern.
#include "ControlByName.h"
#include "WindowFixture.h"
#include "WindowUser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using dazu::config::Variant;
using dazu::test::FileList;

namespace {

// Names already in the list, which a pattern, a prefix or spaces might match.
const QStringList kNeighbours{QStringLiteral("100.txt"), QStringLiteral("a.txt"),
                              QStringLiteral("abc")};

struct TextBox {
    const char* control;
    const char* field;
};
const TextBox kTextBoxes[] = {{"Txtprogramapc", "programapc"},
                              {"txtprogramatm", "programatm"},
                              {"txtfilehost", "filehost"},
                              {"txtfiletoappend", "filetoappend"}};

QStringList sorted(QStringList names) {
    names.sort();
    return names;
}

} // namespace

Q_DECLARE_METATYPE(const FileList*)

class tst_BadInput : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A name typed into either list's entry box is stored and listed exactly as typed, found
    // again only by the very same text, and deleted alone.
    void names_data() {
        QTest::addColumn<const FileList*>("list");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("again"); // the same name in other letter case, or itself
        for (const FileList* list : {&dazu::test::kFilesList, &dazu::test::kFpchhList}) {
            const auto row = [&](const char* what, const QString& name) {
                QTest::addRow("%s: %s", list->table, what) << list << name << name;
            };
            // One letter-case rule for every letter, as in dazucfg.
            QTest::addRow("%s: letter case beyond A-Z", list->table)
                << list << QStringLiteral("año_ÉTÉ.txt") << QStringLiteral("AÑO_été.TXT");
            QTest::addRow("%s: sharp s and Kelvin sign", list->table)
                << list << QStringLiteral("straße_k") << QStringLiteral("STRAẞE_\u212A");
            row("semicolon and SQL", QStringLiteral("a.txt'; DROP TABLE Files; --"));
            row("SQL keywords", QStringLiteral("SELECT * FROM Files WHERE 1=1"));
            row("backslashes", QStringLiteral("C:\\datos\\\\n\\x.txt\\"));
            row("non-ASCII letters", QStringLiteral("ÑANDÚ_ßçÅ_Ωλ_日本.txt"));
            row("emoji", QStringLiteral("📦 envío 👍🏽.txt"));
            row("10,000 characters", QString(10000, QChar(0x00F1)));
            row("empty", QString());
        }
        // Texts that would find "abc" if the lookup compared by a pattern, a prefix or
        // ignoring spaces; both lists look names up alike.
        for (const char* pattern : {"a%", "a_c", "%", "a*", "abc ", " abc", "ab", "abcd"})
            QTest::addRow("Files: %s", pattern)
                << &dazu::test::kFilesList << QString::fromUtf8(pattern)
                << QString::fromUtf8(pattern);
    }
    void names() {
        QFETCH(const FileList*, list);
        QFETCH(QString, name);
        QFETCH(QString, again);
        WindowFixture f;
        for (const QString& neighbour : kNeighbours)
            f.addName(list->table, qPrintable(neighbour));
        const QStringList expected = QStringList(kNeighbours) << name;
        const auto stored = [&] {
            return sorted(dazu::test::ListNames(f.folder.databasePath(), list->table));
        };
        f.load();
        dazu::test::AddName(*f.window, *list, name);
        QCOMPARE(f.messages, QStringList());
        QCOMPARE(dazu::test::ListedNames(*f.window, *list), expected);
        QCOMPARE(stored(), sorted(expected));

        dazu::test::AddName(*f.window, *list, again); // the same name again
        QCOMPARE(f.messages, QStringList{QString::fromUtf8(list->controls.duplicateTitle) +
                                         "|48|Entrada ya existe"});
        QCOMPARE(stored(), sorted(expected));

        f.load(); // the next start lists it exactly, and deleting it deletes it alone
        QVERIFY(dazu::test::DeleteName(*f.window, *list, name));
        QCOMPARE(stored(), kNeighbours);
        QVERIFY(!f.failed());
    }

    // The same texts typed into the text boxes, stored with "&Aceptar" and shown again.
    void texts_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("quotes") << QStringLiteral("it's \"quoted\".exe");
        QTest::newRow("semicolon and SQL") << QStringLiteral("a.exe'; DROP TABLE Setup; --");
        QTest::newRow("percent and underscore") << QStringLiteral("100%_done.txt");
        QTest::newRow("backslashes") << QStringLiteral("C:\\datos\\\\n\\x.txt\\");
        QTest::newRow("spaces around") << QStringLiteral("  calc.exe  ");
        QTest::newRow("non-ASCII letters") << QStringLiteral("C:\\Año\\ÑANDÚ_ßçÅ_Ωλ_日本.txt");
        QTest::newRow("emoji") << QStringLiteral("📦 envío 👍🏽.txt");
        QTest::newRow("10,000 characters") << QString(10000, QChar(0x00F1));
        QTest::newRow("empty") << QString();
    }
    void texts() {
        QFETCH(QString, text);
        WindowFixture f;
        f.load();
        // The boxes take typing only while their check boxes are checked.
        QTest::mouseClick(f.control<QCheckBox>("chkprogramapc"), Qt::LeftButton);
        QTest::mouseClick(f.control<QCheckBox>("chkunirarchivos"), Qt::LeftButton);
        for (const TextBox& box : kTextBoxes) {
            dazu::test::TypeText(f.control<QLineEdit>(box.control), text);
            QCOMPARE(f.control<QLineEdit>(box.control)->text(), text);
        }
        dazu::test::Accept(*f.window);
        QCOMPARE(f.messages, QStringList());
        for (const TextBox& box : kTextBoxes)
            QCOMPARE(dazu::test::SetupField(f.folder.databasePath(), box.field),
                     Variant(text.toStdString()));
        f.load();
        for (const TextBox& box : kTextBoxes)
            QCOMPARE(f.control<QLineEdit>(box.control)->text(), text);
    }

    // A whole-number field gets the text of its control; the engine turns it into the number
    // or refuses it, and then nothing of the same "&Aceptar" is stored.
    void numbers_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("stored");
        QTest::addColumn<QString>("refusal"); // empty when stored
        struct Number {
            const char* name;
            const char* text;
            qint64 stored;
            const char* refusal;
        };
        const Number kInEveryControl[] = {
            {"plus sign", "+5", 5, ""},
            {"spaces around", " 7 ", 7, ""},
            {"whole decimal", "5.0", 5, ""},
            {"decimal fraction", "5.5", 0, "cannot store REAL value"},
            {"one past the largest", "2147483648", 0, "CHECK constraint failed"},
            {"one past the smallest", "-2147483649", 0, "CHECK constraint failed"},
        };
        const Number kInTheInterval[] = {
            {"minus sign", "-5", -5, ""},
            {"leading zeros", "0050", 50, ""},
            {"exponent", "1e3", 1000, ""},
            {"largest", "2147483647", 2147483647, ""},
            {"smallest", "-2147483648", -2147483648LL, ""},
            {"decimal comma", "5,0", 0, "cannot store TEXT value"},
            {"past 64 bits", "9223372036854775808", 0, "cannot store REAL value"},
            {"two signs", "+-5", 0, "cannot store TEXT value"},
            {"hexadecimal", "0x10", 0, "cannot store TEXT value"},
            {"only spaces", "  ", 0, "cannot store TEXT value"},
            {"other digits", "٣٤", 0, "cannot store TEXT value"},
            {"SQL", "1; DROP TABLE Setup", 0, "cannot store TEXT value"},
        };
        const auto add = [](const char* control, const char* field, const Number& number) {
            QTest::addRow("%s: %s", control, number.name)
                << control << field << QString::fromUtf8(number.text) << number.stored
                << number.refusal;
        };
        for (const Number& number : kInEveryControl) {
            add("txtintervalo", "intervalo", number);
            add("cmbpuerto", "Puerto", number);
            add("cmbvelocidad", "baudios", number);
        }
        for (const Number& number : kInTheInterval)
            add("txtintervalo", "intervalo", number);
    }
    void numbers() {
        QFETCH(QString, control);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(qint64, stored);
        QFETCH(QString, refusal);
        WindowFixture f;
        const QStringList before = f.storedRow();
        f.load();
        dazu::test::TypeText(f.control<QLineEdit>("txtprogramatm"), QStringLiteral("otro.exe"));
        QWidget* box = dazu::test::Control(*f.window, control);
        dazu::test::TypeText(box, text);
        const auto* combo = qobject_cast<QComboBox*>(box);
        QCOMPARE(combo ? combo->currentText() : qobject_cast<QLineEdit*>(box)->text(), text);

        dazu::test::Accept(*f.window);

        const std::string path = f.folder.databasePath();
        if (refusal.isEmpty()) {
            QCOMPARE(f.messages, QStringList());
            QCOMPARE(dazu::test::SetupField(path, field.toStdString()),
                     Variant(std::int64_t{stored}));
            QCOMPARE(dazu::test::SetupField(path, "programatm"), Variant("otro.exe"));
            return;
        }
        QCOMPARE(f.messages.size(), 1);
        QVERIFY2(f.messages.front().startsWith(QStringLiteral("DAZU|16|")) &&
                     f.messages.front().contains(refusal),
                 qPrintable(f.messages.front()));
        QVERIFY(f.failed());
        QCOMPARE(f.storedRow(), before);
    }
};

QTEST_MAIN(tst_BadInput)
#include "tst_badinput.moc"
