// "&Aceptar" stores what the window shows; "&Cancelar" and a refused value store nothing.
#include "WindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using dazu::config::Variant;

class tst_Saving : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Saving without changes gives back every field as it was; only a Null destination
    // becomes empty text, and the three fields the window does not show stay untouched.
    void roundTrip_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<Variant>("stored");
        QTest::addColumn<QString>("after"); // the field's text after saving, when it changes
        QTest::newRow("default row") << QString() << Variant() << QString();
        QTest::newRow("Null destination") << "pathdest" << Variant() << "";
        QTest::newRow("unshown fields") << "limpiar" << Variant(false) << QString();
        QTest::newRow("speed outside the choices") << "baudios" << Variant(1200) << QString();
        QTest::newRow("large interval") << "intervalo" << Variant(32000) << QString();
    }
    void roundTrip() {
        QFETCH(QString, field);
        QFETCH(Variant, stored);
        QFETCH(QString, after);
        WindowFixture f;
        if (!field.isEmpty())
            f.store(qPrintable(field), stored);
        f.store("enable", true);
        f.store("pathori", "C:\\origen");
        QStringList expected = f.storedRow();
        if (!after.isNull())
            expected[expected.indexOf(QStringLiteral("<Null>"))] = after;

        f.load();
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

    // The database refuses the value: the user reads its description, the program ends
    // non-zero and the row keeps what it held, including the fields set before the bad one.
    void refusedValue_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("letters in the interval")
            << "txtintervalo"
            << "cinco"
            << "cannot store TEXT value in INTEGER column Setup.intervalo";
        QTest::newRow("letters as port") << "cmbpuerto"
                                         << "COM1"
                                         << "Setup.Puerto";
        QTest::newRow("speed too large") << "cmbvelocidad"
                                         << "99999999999"
                                         << "baudios";
        QTest::newRow("empty interval") << "txtintervalo"
                                        << ""
                                        << "Setup.intervalo";
    }
    void refusedValue() {
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(QString, message);
        WindowFixture f;
        const QStringList before = f.storedRow();
        f.load();
        QTest::mouseClick(f.control<QCheckBox>("chkprogramapc"), Qt::LeftButton);
        if (auto* edit = f.control<QLineEdit>(qPrintable(control)))
            edit->setText(text);
        else
            f.control<QComboBox>(qPrintable(control))->setEditText(text);

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
