// "&Aceptar" stores what the window shows; "&Cancelar" and a refused value store nothing.
#include "WindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using dazu::config::Variant;

namespace {
const char* textBoxOf(const QString& field) {
    return field == QLatin1String("programapc") ? "Txtprogramapc" : "txtprogramatm";
}
} // namespace

class tst_Saving : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // "&Aceptar" stores only what the user changed: a field left alone keeps, byte for byte,
    // what the file holds when the button is pressed, even what another program stored after
    // the window loaded. The one exception is a Null destination, shown as empty text and
    // stored as such. Rows: the field, its value before loading, a value another program
    // stores while the window is open (Null for none), the text typed into its control (a null
    // string for none), and what the field must hold afterwards.
    void onlyChangesStored_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<Variant>("before");
        QTest::addColumn<Variant>("meanwhile");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Variant>("after");
        const std::string longText(40000, 'x');
        const std::string notUtf8 = "C:\\datos\\a\xF1o\xFF.txt";
        QTest::newRow("default row")
            << "Puerto" << Variant(1) << Variant() << QString() << Variant(1);
        QTest::newRow("Null destination")
            << "pathdest" << Variant() << Variant() << QString() << Variant("");
        QTest::newRow("unshown field") << "pathori" << Variant("C:\\origen") << Variant()
                                       << QString() << Variant("C:\\origen");
        QTest::newRow("interval above the spinner")
            << "intervalo" << Variant(40000) << Variant() << QString() << Variant(40000);
        QTest::newRow("text longer than 32767")
            << "filetoappend" << Variant(longText) << Variant() << QString() << Variant(longText);
        QTest::newRow("text typed longer than 32767")
            << "programapc" << Variant("a") << Variant() << QString::fromStdString(longText)
            << Variant(longText);
        QTest::newRow("bytes that are not UTF-8")
            << "filehost" << Variant(notUtf8) << Variant() << QString() << Variant(notUtf8);
        QTest::newRow("stored by another program meanwhile")
            << "Puerto" << Variant(1) << Variant(7) << QString() << Variant(7);
        QTest::newRow("text stored meanwhile") << "programatm" << Variant("a.exe")
                                               << Variant("b.exe") << QString() << Variant("b.exe");
        QTest::newRow("typed over a value stored meanwhile")
            << "programatm" << Variant("a.exe") << Variant("b.exe") << QStringLiteral("c.exe")
            << Variant("c.exe");
    }
    void onlyChangesStored() {
        QFETCH(QString, field);
        QFETCH(Variant, before);
        QFETCH(Variant, meanwhile);
        QFETCH(QString, typed);
        QFETCH(Variant, after);
        WindowFixture f;
        f.store(qPrintable(field), before);
        f.store("enable", true);
        f.load();
        if (!meanwhile.isNull())
            f.store(qPrintable(field), meanwhile);
        if (!typed.isNull())
            f.control<QLineEdit>(textBoxOf(field))->setText(typed);
        const QStringList expected =
            dazu::test::WithChanges(f.storedRow(), {{field.toStdString(), after}});

        QTest::mouseClick(f.control<QPushButton>("cmdsetup"), Qt::LeftButton);

        QVERIFY(!f.failed());
        QVERIFY(!f.window->isVisible());
        QCOMPARE(f.storedRow(), expected);
    }

    void changesReachTheNextStart() {
        WindowFixture f;
        f.load();
        QTest::mouseClick(f.control<QCheckBox>("ChkLectura"), Qt::LeftButton);
        QTest::mouseClick(f.control<QCheckBox>("chkunirarchivos"), Qt::LeftButton);
        f.control<QComboBox>("cmbpuerto")->setCurrentIndex(4);
        f.control<QComboBox>("cmbvelocidad")->setCurrentIndex(3);
        f.control<QLineEdit>("Txtprogramapc")->setText(QStringLiteral(" calc.exe "));
        f.control<QLineEdit>("txtfilehost")->setText(QString());
        QTest::mouseClick(f.control<QPushButton>("cmdsetup"), Qt::LeftButton);

        QCOMPARE(dazu::test::SetupField(f.folder.databasePath(), "modolectura"), Variant(false));
        QCOMPARE(dazu::test::SetupField(f.folder.databasePath(), "unirarchivos"), Variant(true));
        QCOMPARE(dazu::test::SetupField(f.folder.databasePath(), "Puerto"), Variant(5));
        QCOMPARE(dazu::test::SetupField(f.folder.databasePath(), "baudios"), Variant(19200));
        QCOMPARE(dazu::test::SetupField(f.folder.databasePath(), "programapc"),
                 Variant(" calc.exe "));
        QCOMPARE(dazu::test::SetupField(f.folder.databasePath(), "filehost"), Variant(""));

        f.load();
        QVERIFY(!f.control<QCheckBox>("ChkLectura")->isChecked());
        QVERIFY(f.control<QLineEdit>("txtfilehost")->isEnabled());
        QCOMPARE(f.control<QComboBox>("cmbpuerto")->currentText(), QStringLiteral("5"));
        QCOMPARE(f.control<QComboBox>("cmbvelocidad")->currentText(), QStringLiteral("19200"));
    }

    // The database refuses a value: the user reads its description, naming the first refused
    // field in the order "&Aceptar" sets them (intervalo, Puerto, baudios); the program ends
    // non-zero and the row keeps what it held, including the fields set before the bad one.
    void refusedValue_data() {
        QTest::addColumn<QStringList>("typed"); // "control=text"
        QTest::addColumn<QString>("message");
        QTest::newRow("letters as port") << QStringList{"cmbpuerto=COM1"} << "Setup.Puerto";
        QTest::newRow("empty interval") << QStringList{"txtintervalo="} << "Setup.intervalo";
        QTest::newRow("interval and speed")
            << QStringList{"cmbvelocidad=rápido", "txtintervalo=cinco"} << "Setup.intervalo";
        QTest::newRow("port and speed")
            << QStringList{"cmbvelocidad=rápido", "cmbpuerto=COM1"} << "Setup.Puerto";
        QTest::newRow("all three")
            << QStringList{"cmbvelocidad=x", "cmbpuerto=y", "txtintervalo=z"} << "Setup.intervalo";
    }
    void refusedValue() {
        QFETCH(QStringList, typed);
        QFETCH(QString, message);
        WindowFixture f;
        const QStringList before = f.storedRow();
        f.load();
        QTest::mouseClick(f.control<QCheckBox>("chkprogramapc"), Qt::LeftButton);
        for (const QString& entry : typed) {
            const QString control = entry.section(QLatin1Char('='), 0, 0);
            const QString text = entry.section(QLatin1Char('='), 1);
            if (auto* edit = f.control<QLineEdit>(qPrintable(control)))
                edit->setText(text);
            else
                f.control<QComboBox>(qPrintable(control))->setEditText(text);
        }

        QTest::mouseClick(f.control<QPushButton>("cmdsetup"), Qt::LeftButton);

        QVERIFY(f.failed());
        QCOMPARE(f.messages.size(), 1);
        QVERIFY2(f.messages.front().startsWith(QStringLiteral("DAZU|16|")) &&
                     f.messages.front().contains(message),
                 qPrintable(f.messages.front()));
        QCOMPARE(f.storedRow(), before);
    }

    void cancelStoresNothing() {
        WindowFixture f;
        const QStringList before = f.storedRow();
        f.load();
        QTest::mouseClick(f.control<QCheckBox>("chkprogramatm"), Qt::LeftButton);
        f.control<QLineEdit>("txtintervalo")->setText(QStringLiteral("7"));
        QTest::mouseClick(f.control<QPushButton>("cmdsetupcancelar"), Qt::LeftButton);
        QVERIFY(!f.window->isVisible());
        QCOMPARE(f.storedRow(), before);
    }
};

QTEST_MAIN(tst_Saving)
#include "tst_saving.moc"
