#include "WindowUser.h"

#include "BusyTimeout.h"
#include "FolderChooser.h"
#include "MsgBox.h"

#include <cstdio>
#include <QtTest>
#include <QtWidgets>

namespace dazu::test {
namespace {

// A control as a user reaches it: its tab in front.
QWidget* front(const setup& window, const QString& name) {
    QWidget* control = Control(window, name);
    auto* tabs = Control<QTabWidget>(window, QStringLiteral("SSTab1"));
    for (int page = 0; page < tabs->count(); ++page)
        if (tabs->widget(page)->isAncestorOf(control))
            tabs->setCurrentIndex(page);
    return control;
}

void click(QWidget* control, QPoint at = {}) {
    QTest::mouseClick(control, Qt::LeftButton, {}, at);
}

// Replaces the text of a text box or of an editable combo box by typing it.
void typeText(QWidget* control, const QString& text) {
    auto* box = qobject_cast<QLineEdit*>(control);
    if (auto* combo = qobject_cast<QComboBox*>(control))
        box = combo->lineEdit();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier); // typing replaces all of it
    // One key event with the whole text: keyClicks takes only ASCII.
    QTest::sendKeyEvent(QTest::Click, box, text.isEmpty() ? Qt::Key_Delete : Qt::Key_unknown, text,
                        Qt::NoModifier);
}

// Selects a row as a user does: scrolls it into sight and clicks it.
void clickRow(QAbstractItemView& list, int row) {
    const QModelIndex index = list.model()->index(row, 0);
    list.scrollTo(index);
    click(list.viewport(), list.visualRect(index).center());
}

} // namespace

QStringList ShownRows(const QAbstractItemView& list) {
    QStringList rows;
    for (int row = 0; row < list.model()->rowCount(); ++row)
        rows << list.model()->index(row, 0).data().toString();
    return rows;
}

std::unique_ptr<setup> LoadWindow(const QString& applicationDirectory) {
    auto window = std::make_unique<setup>();
    window->setApplicationDirectory(applicationDirectory);
    window->Form_Load();
    return window;
}

void AddName(const setup& window, const FileList& list, const QString& name) {
    click(front(window, QLatin1String(list.addButton)));
    typeText(Control(window, QLatin1String(list.entry)), name);
    QTest::keyClick(Control(window, QLatin1String(list.entry)), Qt::Key_Return);
}

void DeleteName(const setup& window, const FileList& list, const QString& name) {
    auto* box = qobject_cast<QAbstractItemView*>(front(window, QLatin1String(list.list)));
    if (const auto row = ListedNames(window, list).indexOf(name); row >= 0) {
        clickRow(*box, int(row));
        click(Control(window, QLatin1String(list.deleteButton)));
    }
}

void Accept(const setup& window) {
    click(Control(window, QStringLiteral("cmdsetup")));
}

QStringList ListedNames(const setup& window, const FileList& list) {
    return ShownRows(*Control<QAbstractItemView>(window, QLatin1String(list.list)));
}

WindowUser::WindowUser(const QString& applicationDirectory)
    : folder(applicationDirectory) {
    app::SetMsgBoxPresenter([this](const QString& prompt, int style, const QString& title) {
        met << QStringLiteral("%1|%2|%3").arg(title).arg(style).arg(prompt);
    });
}

WindowUser::~WindowUser() {
    app::SetMsgBoxPresenter({});
}

void WindowUser::step(const QStringList& steps, qsizetype& i) {
    const QString verb = steps[i];
    const auto is = [&verb](const char* name) { return verb == QLatin1String(name); };
    const FileList& list = verb.endsWith(QLatin1Char('1')) ? kFilesList : kFpchhList;
    const auto operand = [&] { return steps.value(++i); };
    const auto control = [&] { return front(*window, operand()); };
    if (is("open")) {
        window = LoadWindow(folder);
    } else if (is("busy")) {
        config::SetBusyTimeoutMs(operand().toInt());
    } else if (is("wait")) { // the other program's signal to go
        std::printf("ready\n"), std::fflush(stdout), std::fgetc(stdin);
    } else if (is("accept")) {
        Accept(*window);
    } else if (verb.startsWith(QLatin1String("add"))) {
        AddName(*window, list, operand());
    } else if (verb.startsWith(QLatin1String("delete"))) {
        DeleteName(*window, list, operand());
    } else if (is("click")) {
        click(control());
    } else if (is("type")) {
        QWidget* box = control();
        typeText(box, operand());
    } else if (is("focus") || is("tab")) {
        auto* tabs = Control<QTabWidget>(*window, QStringLiteral("SSTab1"));
        if (is("tab"))
            tabs->setCurrentIndex(operand().toInt());
        QWidget* target = is("tab") ? tabs : control();
        target->setFocus(Qt::OtherFocusReason); // not by Tab: as at start
        QTRY_VERIFY(target->hasFocus() || target->isAncestorOf(QApplication::focusWidget()));
    } else if (is("key")) { // up to four keys, as "Down, Down"
        const QKeySequence keys(operand());
        for (uint k = 0; k < uint(keys.count()); ++k) {
            QTRY_VERIFY(QApplication::focusWidget());
            // Without the text a key may carry: Enter is known by its code alone.
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), keys[k].key(), QString(),
                                keys[k].keyboardModifiers());
        }
    } else if (is("select")) {
        auto* box = qobject_cast<QAbstractItemView*>(control());
        clickRow(*box, operand().toInt());
    } else if (is("arrow")) {
        QWidget* spinner = front(*window, QStringLiteral("vscintervalo"));
        click(spinner,
              {spinner->width() / 2, operand() == QLatin1String("up") ? 2 : spinner->height() - 3});
    } else if (is("choose")) {
        QString title;
        files::SetFolderChooser([&title, path = operand()](const QString& shown) {
            title = shown;
            return path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path);
        });
        click(front(*window, QStringLiteral("Command1")));
        files::SetFolderChooser({});
        QCOMPARE(title, QStringLiteral("Seleccione el directorio donde quiere dejar los archivos"));
    } else {
        QFAIL(qPrintable(QStringLiteral("no step ") + verb));
    }
}

QStringList WorkWindow(const QString& applicationDirectory, const QStringList& steps) {
    WindowUser user(applicationDirectory);
    for (qsizetype i = 0; i < steps.size() && !user.failed(); ++i)
        user.step(steps, i);
    if (user.window && user.window->isVisible())
        user.met << QStringLiteral("shown");
    for (const FileList* list : {&kFilesList, &kFpchhList})
        for (const QString& name : user.window ? ListedNames(*user.window, *list) : QStringList())
            user.met << QStringLiteral("item|%1|%2").arg(QLatin1String(list->list), name);
    return user.met;
}

} // namespace dazu::test
