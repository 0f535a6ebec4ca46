// Loading fills every control from the settings row and both lists, with the dependent
// controls in line with the loaded values.
#include "ControlByName.h"
#include "ListRows.h"
#include "SystemColor.h"
#include "UpDown.h"
#include "WindowFixture.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

using dazu::config::Variant;

namespace {

// One aspect of a control as text: checked, enabled, text, items, fore (colour reference).
QString aspectOf(const setup& window, const QString& name, const QString& aspect) {
    QWidget* control = dazu::test::Control(window, name);
    if (!control)
        return QStringLiteral("<no control %1>").arg(name);
    if (aspect == QLatin1String("enabled"))
        return control->isEnabled() ? QStringLiteral("yes") : QStringLiteral("no");
    if (aspect == QLatin1String("fore"))
        return QString::number(dazu::dialog::ForeColor(control), 16);
    if (auto* box = qobject_cast<QCheckBox*>(control))
        return box->isChecked() ? QStringLiteral("yes") : QStringLiteral("no");
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text();
    if (auto* spinner = qobject_cast<dazu::dialog::UpDown*>(control))
        return QString::number(spinner->value());
    if (auto* tabs = qobject_cast<QTabWidget*>(control))
        return tabs->tabText(tabs->currentIndex());
    QStringList items;
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        if (aspect == QLatin1String("current")) // the choice the drop-down and Down start from
            return QString::number(combo->currentIndex());
        return aspect == QLatin1String("items") ? items.join(QLatin1Char(','))
                                                : combo->currentText();
    }
    if (auto* list = qobject_cast<QAbstractItemView*>(control))
        return dazu::test::ShownRows(*list).join(QLatin1Char(','));
    return QStringLiteral("<unreadable %1>").arg(name);
}

const QString kGrey = QString::number(dazu::dialog::InactiveCaptionColor, 16);
const QString kMenuText = QString::number(dazu::dialog::MenuTextColor, 16);

} // namespace

class tst_Loading : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // What the user sees on a first start, and after the stored row was changed.
    void shown_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<Variant>("stored");       // written before the start when field is set
        QTest::addColumn<QStringList>("expected"); // "control.aspect=value"
        const auto first = [](const char* name, QStringList expected) {
            QTest::newRow(name) << QString() << Variant() << expected;
        };
        first("programs",
              {"chkprogramapc.checked=no", "Txtprogramapc.enabled=no",
               "Txtprogramapc.text=c:\\windows\\calc.exe", "chkprogramapc.fore=" + kGrey,
               "chkprogramatm.checked=yes", "txtprogramatm.enabled=yes",
               "txtprogramatm.text=roza5.exe", "chkprogramatm.fore=" + kMenuText});
        first("joining off",
              {"chkunirarchivos.checked=no", "txtfilehost.enabled=no", "txtfiletoappend.enabled=no",
               "chkborrarfiletoappend.enabled=no", "lblfilehost.fore=" + kGrey,
               "Label3.fore=" + kGrey, "chkunirarchivos.fore=" + kGrey,
               "txtfilehost.text=c:\\xxx\\mezcla.txt",
               "txtfiletoappend.text=C:\\Tevan\\Vendra PlugIns\\KQ-410 PC\\Source\\zedirad.txt"});
        first("communications",
              {"ChkLectura.checked=yes", "txtintervalo.text=5000", "vscintervalo.value=5000",
               "cmbpuerto.text=1", "cmbpuerto.items=1,2,3,4,5,6,7,8", "cmbpuerto.current=0",
               "cmbvelocidad.text=38400", "cmbvelocidad.items=2400,4800,9600,19200,38400",
               "cmbvelocidad.current=4"});
        first("other boxes", {"chkotrohh.checked=no", "chkborrarhornet.checked=no",
                              "chkborrarhornet2.checked=no", "chkborrarfiletoappend.checked=no",
                              "SSTab1.text=Ejecución", "List1.items=", "List2.items="});

        const auto changed = [](const char* field, Variant stored, QStringList expected) {
            QTest::newRow(field) << QString::fromLatin1(field) << stored << expected;
        };
        changed("unirarchivos", true,
                {"chkunirarchivos.checked=yes", "txtfilehost.enabled=yes",
                 "txtfiletoappend.enabled=yes", "chkborrarfiletoappend.enabled=yes",
                 "lblfilehost.fore=" + kMenuText, "Label3.fore=" + kMenuText,
                 "chkunirarchivos.fore=" + kMenuText});
        changed("correrprogramapc", true,
                {"Txtprogramapc.enabled=yes", "chkprogramapc.fore=" + kMenuText});
        changed("correrprogramatm", false,
                {"txtprogramatm.enabled=no", "chkprogramatm.fore=" + kGrey});
        changed("modolectura", false, {"ChkLectura.checked=no"});
        changed("borrar", true,
                {"chkborrarfiletoappend.checked=yes", "chkborrarfiletoappend.enabled=no"});
        changed("Puerto", 3,
                {"cmbpuerto.text=3", "cmbpuerto.items=1,2,3,4,5,6,7,8", "cmbpuerto.current=2"});
        changed("baudios", 19200, {"cmbvelocidad.text=19200", "cmbvelocidad.current=3"});
        // Not a choice: shown as stored, with no choice selected.
        QTest::newRow("baudios not a choice")
            << QStringLiteral("baudios") << Variant(1200)
            << QStringList{"cmbvelocidad.text=1200", "cmbvelocidad.current=-1"};
        changed("intervalo", 0, {"txtintervalo.text=0", "vscintervalo.value=0"});
        changed("pathdest", Variant(), {"txtpathdest.text="});
        changed("programapc", "  con espacios ", {"Txtprogramapc.text=  con espacios "});
    }
    void shown() {
        QFETCH(QString, field);
        QFETCH(Variant, stored);
        QFETCH(QStringList, expected);
        WindowFixture f;
        if (!field.isEmpty())
            f.store(qPrintable(field), stored);
        const setup& window = f.load();
        QVERIFY(!f.failed());
        QVERIFY(window.isVisible());
        for (const QString& check : expected) {
            const QString target = check.section(QLatin1Char('='), 0, 0);
            QCOMPARE(target + QLatin1Char('=') +
                         aspectOf(window, target.section(QLatin1Char('.'), 0, 0),
                                  target.section(QLatin1Char('.'), 1)),
                     check);
        }
    }

    void listsFollowTheIndexOrder() {
        WindowFixture f;
        f.addName("Files", "b.txt");
        f.addName("Files", "A.txt");
        f.addName("FPCHH", "z.dat");
        f.load();
        QCOMPARE(aspectOf(*f.window, QStringLiteral("List1"), {}), QStringLiteral("A.txt,b.txt"));
        QCOMPARE(aspectOf(*f.window, QStringLiteral("List2"), {}), QStringLiteral("z.dat"));
    }
};

QTEST_MAIN(tst_Loading)
#include "tst_loading.moc"
