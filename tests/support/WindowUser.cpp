#include "WindowUser.h"

#include "ControlByName.h"
#include "ListRows.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <utility>

namespace dazu::test {

namespace {
bool failureShown = false;
}

void WatchMessageBoxes(app::MsgBoxPresenter show) {
    app::SetMsgBoxPresenter(
        [show = std::move(show)](const QString& prompt, int style, const QString& title) {
            if (style == app::vbCritical && title == QStringLiteral("DAZU"))
                failureShown = true;
            show(prompt, style, title);
        });
}

bool FailureShown() {
    return failureShown;
}

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
    QTest::mouseClick(dazu::test::Control<QPushButton>(window, list.controls.addButton),
                      Qt::LeftButton);
    auto* entry = dazu::test::Control<QLineEdit>(window, list.controls.entry);
    if (!name.isEmpty())
        QTest::sendKeyEvent(QTest::Click, entry, Qt::Key_unknown, name, Qt::NoModifier);
    QTest::keyClick(entry, Qt::Key_Return);
}

bool DeleteName(const setup& window, const FileList& list, const QString& name) {
    auto* names = dazu::test::Control<QAbstractItemView>(window, list.controls.list);
    const QStringList shown = ShownRows(*names);
    for (int row = 0; row < shown.size(); ++row) {
        if (shown[row] == name) {
            ClickRow(*names, row);
            QTest::mouseClick(dazu::test::Control<QPushButton>(window, list.controls.deleteButton),
                              Qt::LeftButton);
            return true;
        }
    }
    return false;
}

void Accept(const setup& window) {
    QTest::mouseClick(dazu::test::Control<QPushButton>(window, "cmdsetup"), Qt::LeftButton);
}

QStringList ListedNames(const setup& window, const FileList& list) {
    return ShownRows(*dazu::test::Control<QAbstractItemView>(window, list.controls.list));
}

} // namespace dazu::test
