#include "WindowUser.h"

#include "BusyTimeout.h"
#include "ControlByName.h"
#include "ListRows.h"
#include "MsgBox.h"

#include <cstdio>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace dazu::test {

std::unique_ptr<setup> LoadWindow(const QString& applicationDirectory) {
    auto window = std::make_unique<setup>();
    window->setApplicationDirectory(applicationDirectory);
    window->Form_Load();
    return window;
}

void TypeText(QWidget* control, const QString& text) {
    auto* box = qobject_cast<QLineEdit*>(control);
    if (auto* combo = qobject_cast<QComboBox*>(control))
        box = combo->lineEdit();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier); // typing replaces all of it
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else // one key event with the whole text: keyClicks takes only ASCII
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, text, Qt::NoModifier);
}

void AddName(const setup& window, const FileList& list, const QString& name) {
    QTest::mouseClick(Control<QAbstractButton>(window, list.controls.addButton), Qt::LeftButton);
    auto* entry = Control<QLineEdit>(window, list.controls.entry);
    if (!name.isEmpty())
        QTest::sendKeyEvent(QTest::Click, entry, Qt::Key_unknown, name, Qt::NoModifier);
    QTest::keyClick(entry, Qt::Key_Return);
}

bool DeleteName(const setup& window, const FileList& list, const QString& name) {
    const auto row = ListedNames(window, list).indexOf(name);
    if (row >= 0) {
        ClickRow(*Control<QAbstractItemView>(window, list.controls.list), int(row));
        QTest::mouseClick(Control<QAbstractButton>(window, list.controls.deleteButton),
                          Qt::LeftButton);
    }
    return row >= 0;
}

void Accept(const setup& window) {
    QTest::mouseClick(Control<QAbstractButton>(window, "cmdsetup"), Qt::LeftButton);
}

QStringList ListedNames(const setup& window, const FileList& list) {
    return ShownRows(*Control<QAbstractItemView>(window, list.controls.list));
}

QStringList WorkWindow(const QString& applicationDirectory, const QStringList& steps) {
    QStringList met;
    bool failed = false;
    app::SetMsgBoxPresenter([&](const QString& prompt, int style, const QString& title) {
        failed = failed || (style == app::vbCritical && title == QStringLiteral("DAZU"));
        met << QStringLiteral("%1|%2|%3").arg(title).arg(style).arg(prompt);
    });
    std::unique_ptr<setup> window;
    for (qsizetype i = 0; i < steps.size() && !failed; ++i) {
        const QString verb = steps[i];
        const FileList& list = verb.endsWith(QLatin1Char('1')) ? kFilesList : kFpchhList;
        if (verb == QStringLiteral("open"))
            window = LoadWindow(applicationDirectory);
        else if (verb == QStringLiteral("busy"))
            config::SetBusyTimeoutMs(steps.value(++i).toInt());
        else if (verb == QStringLiteral("wait")) // the other program's signal to go
            std::printf("ready\n"), std::fflush(stdout), std::fgetc(stdin);
        else if (verb == QStringLiteral("accept"))
            Accept(*window);
        else if (verb.startsWith(QStringLiteral("add")))
            AddName(*window, list, steps.value(++i));
        else if (verb.startsWith(QStringLiteral("delete")))
            DeleteName(*window, list, steps.value(++i));
        else if (verb == QStringLiteral("click"))
            QTest::mouseClick(Control<QAbstractButton>(*window, steps.value(++i)), Qt::LeftButton);
        else if (verb == QStringLiteral("type")) {
            QWidget* control = Control(*window, steps.value(++i));
            TypeText(control, steps.value(++i));
        }
    }
    app::SetMsgBoxPresenter({});
    if (window && window->isVisible())
        met << QStringLiteral("shown");
    for (const FileList* list : {&kFilesList, &kFpchhList})
        for (const QString& name : window ? ListedNames(*window, *list) : QStringList())
            met << QStringLiteral("item|%1|%2").arg(QLatin1String(list->controls.list), name);
    return met;
}

} // namespace dazu::test
