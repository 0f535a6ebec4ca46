// The controls that follow others: the check boxes and what they govern, the spinner and the
// interval box, and "..." writing the chosen folder into the destination box.
#include "ControlByName.h"
#include "FolderChooser.h"
#include "Platform.h"
#include "setup.h"
#include "SystemColor.h"
#include "UpDown.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

using namespace dazu::dialog;

Q_DECLARE_METATYPE(QUrl)

class tst_Dependent : public QObject {
    Q_OBJECT

    std::unique_ptr<setup> window;
    UpDown* spinner() const { return dazu::test::Control<UpDown>(*window, "vscintervalo"); }
    QString interval() const {
        return dazu::test::Control<QLineEdit>(*window, "txtintervalo")->text();
    }
    QString destination() const {
        return dazu::test::Control<QLineEdit>(*window, "txtpathdest")->text();
    }

private Q_SLOTS:
    void init() {
        window = std::make_unique<setup>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() {
        window.reset();
        dazu::files::SetFolderChooser({});
    }

    void checkBoxes_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("textBoxes");
        QTest::addColumn<QString>("captions");
        QTest::addColumn<QString>("alsoEnabled");
        QTest::newRow("PC program") << "chkprogramapc"
                                    << "Txtprogramapc"
                                    << "chkprogramapc"
                                    << "";
        QTest::newRow("terminal program") << "chkprogramatm"
                                          << "txtprogramatm"
                                          << "chkprogramatm"
                                          << "";
        QTest::newRow("join files") << "chkunirarchivos"
                                    << "txtfilehost txtfiletoappend"
                                    << "lblfilehost Label3 chkunirarchivos"
                                    << "chkborrarfiletoappend";
    }
    // Clicked by the user, then set by code; the governed controls keep their contents.
    void checkBoxes() {
        QFETCH(QString, box);
        QFETCH(QString, textBoxes);
        QFETCH(QString, captions);
        QFETCH(QString, alsoEnabled);
        const auto each = [](const QString& names) {
            return names.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        };
        dazu::test::Control<QTabWidget>(*window, "SSTab1")->setCurrentIndex(0);
        auto* check = qobject_cast<QCheckBox*>(dazu::test::Control(*window, box));
        for (const QString& name : each(textBoxes))
            qobject_cast<QLineEdit*>(dazu::test::Control(*window, name))
                ->setText(QStringLiteral("kept ") + name);
        dazu::test::Control<QCheckBox>(*window, "chkborrarfiletoappend")->setChecked(true);

        const auto expectState = [&](bool checked) {
            for (const QString& name : each(textBoxes + QLatin1Char(' ') + alsoEnabled))
                QCOMPARE(dazu::test::Control(*window, name)->isEnabled(), checked);
            for (const QString& name : each(textBoxes))
                QCOMPARE(qobject_cast<QLineEdit*>(dazu::test::Control(*window, name))->text(),
                         QStringLiteral("kept ") + name);
            for (const QString& name : each(captions))
                QCOMPARE(ForeColor(dazu::test::Control(*window, name)),
                         checked ? quint32(MenuTextColor) : quint32(InactiveCaptionColor));
            QVERIFY(check->isEnabled());
            QVERIFY(dazu::test::Control<QCheckBox>(*window, "chkborrarfiletoappend")->isChecked());
        };
        QTest::mouseClick(check, Qt::LeftButton);
        expectState(true);
        QTest::mouseClick(check, Qt::LeftButton);
        expectState(false);
        check->setChecked(true);
        expectState(true);
        check->setChecked(false);
        expectState(false);
    }

    void spinnerBounds_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("changes");
        QTest::newRow("up from 4999") << 4999 << true << QStringLiteral("5000") << 1;
        QTest::newRow("down from 1") << 1 << false << QStringLiteral("0") << 1;
        QTest::newRow("up at 32000") << 32000 << true << QStringLiteral("untouched") << 0;
        QTest::newRow("down at 0") << 0 << false << QStringLiteral("untouched") << 0;
    }
    void spinnerBounds() {
        QFETCH(int, start);
        QFETCH(bool, up);
        QFETCH(QString, shown);
        QFETCH(int, changes);
        spinner()->setValue(start);
        dazu::test::Control<QLineEdit>(*window, "txtintervalo")
            ->setText(QStringLiteral("untouched"));
        QSignalSpy spy(spinner(), &UpDown::valueChanged);
        const QPoint arrow(spinner()->width() / 2, up ? 2 : spinner()->height() - 3);
        QTest::mouseClick(spinner(), Qt::LeftButton, {}, arrow);
        QCOMPARE(interval(), shown);
        QCOMPARE(spy.count(), changes);
    }

    void spinnerFromCodeAndKeys() {
        QSignalSpy spy(spinner(), &UpDown::valueChanged);
        spinner()->setValue(5000);
        QCOMPARE(interval(), QStringLiteral("5000"));
        // Typing does not move the spinner: the next step starts from its own value.
        dazu::test::Control<QLineEdit>(*window, "txtintervalo")->setText(QStringLiteral("7"));
        QTest::mouseClick(spinner(), Qt::LeftButton, {},
                          QPoint(spinner()->width() / 2, spinner()->height() - 3));
        QCOMPARE(interval(), QStringLiteral("4999"));
        spinner()->setFocus();
        QTest::keyClick(spinner(), Qt::Key_Up);
        QTest::keyClick(spinner(), Qt::Key_Up);
        QCOMPARE(interval(), QStringLiteral("5001"));
        spinner()->setValue(5001); // the same value: no change
        spinner()->setValue(40000);
        QCOMPARE(interval(), QStringLiteral("32000"));
        QCOMPARE(spy.count(), 5);
    }

    // Held, an arrow steps once, again after a pause, then quickly; released, it stops. Another
    // button does nothing.
    void holdingAnArrowRepeats() {
        const QPoint up(spinner()->width() / 2, 2);
        QTest::mousePress(spinner(), Qt::LeftButton, {}, up);
        QTest::qWait(1000); // how long it is held is what is tested
        QVERIFY2(spinner()->value() >= 6, qPrintable(QString::number(spinner()->value())));
        QTest::mouseRelease(spinner(), Qt::LeftButton, {}, up);
        const int released = spinner()->value();
        QTest::mouseClick(spinner(), Qt::RightButton, {}, up); // only the left button steps
        QTest::qWait(200);
        QCOMPARE(spinner()->value(), released);
    }

    void chosenFolder_data() {
        const QString sep = dazu::files::PathSeparator();
        const QString folder =
            QDir::toNativeSeparators(QDir::tempPath() + QStringLiteral("/Datos"));
        QTest::addColumn<QUrl>("chosen");
        QTest::addColumn<QString>("shown");
        QTest::newRow("cancelled") << QUrl() << QStringLiteral("before");
        QTest::newRow("folder") << QUrl::fromLocalFile(folder) << folder + sep;
        QTest::newRow("root") << QUrl::fromLocalFile(QDir::rootPath())
                              << QDir::toNativeSeparators(QDir::rootPath());
        QTest::newRow("name with spaces") << QUrl::fromLocalFile(folder + QStringLiteral(" 2 "))
                                          << folder + QStringLiteral(" 2 ") + sep;
        QTest::newRow("too long for the buffer")
            << QUrl::fromLocalFile(QStringLiteral("/") + QString(260, QLatin1Char('x')))
            << QStringLiteral("before");
    }
    void chosenFolder() {
        QFETCH(QUrl, chosen);
        QFETCH(QString, shown);
        QStringList titles;
        dazu::files::SetFolderChooser([&](const QString& title) {
            titles << title;
            return chosen;
        });
        dazu::test::Control<QLineEdit>(*window, "txtpathdest")->setText(QStringLiteral("before"));
        dazu::test::Control<QTabWidget>(*window, "SSTab1")->setCurrentIndex(0);
        QTest::mouseClick(dazu::test::Control<QPushButton>(*window, "Command1"), Qt::LeftButton);
        QCOMPARE(titles, QStringList{QStringLiteral(
                             "Seleccione el directorio donde quiere dejar los archivos")});
        QCOMPARE(destination(), shown);
    }
};

QTEST_MAIN(tst_Dependent)
#include "tst_dependent.moc"
