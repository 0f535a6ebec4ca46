#include "SettingsWindow.h"

#include "DazuRun.h"
#include "Layout.h"
#include "Tool.h"
#include "XServer.h"

#include <QDeadlineTimer>
#include <QHash>

namespace dazu::e2e {

namespace {

using dialog::ControlSpec;

const ControlSpec* FindControl(const char* name) {
    for (const ControlSpec& definition : dialog::Controls())
        if (qstrcmp(definition.name, name) == 0)
            return &definition;
    return nullptr;
}

// Where the design puts a control in the client area: its place in its container plus the
// places of the containers around it. A page of the tab control adds nothing of its own,
// because the window keeps each frame on a page where the design puts it relative to the
// tab control.
Outcome<QRect> PlaceInWindow(const char* name) {
    const ControlSpec* definition = FindControl(name);
    if (!definition)
        return Failure{
            QStringLiteral("the window has no control named %1").arg(QLatin1String(name))};
    QRect place = dialog::ToPixels(definition->twips);
    for (const char* container = definition->container.name; container;) {
        const ControlSpec* outer = FindControl(container);
        place.translate(dialog::ToPixels(outer->twips).topLeft());
        container = outer->container.name;
    }
    return place;
}

// The centres of the tab headers, measured once per display by a program that lays out the
// same window there (dazu_e2e_tabstrip).
Outcome<QList<QPoint>> TabHeaders(const XServer& server) {
    static QHash<QString, QList<QPoint>> measured;
    const QProcessEnvironment environment = server.environment();
    const QString display = environment.value(QStringLiteral("DISPLAY"));
    if (const auto known = measured.constFind(display); known != measured.constEnd())
        return *known;
    const auto printed =
        RunToolChecked(environment, QStringLiteral(DAZU_E2E_TAB_STRIP_PROGRAM), {});
    if (!printed)
        return printed.failure();
    QList<QPoint> headers;
    for (const QByteArray& line : printed->split('\n')) {
        const QList<QByteArray> numbers = line.split(' ');
        if (numbers.size() == 2)
            headers.append({numbers[0].toInt(), numbers[1].toInt()});
    }
    if (headers.size() != 3)
        return Failure{QStringLiteral("the tab strip measured as: %1")
                           .arg(QString::fromLocal8Bit(printed->trimmed()))};
    measured.insert(display, headers);
    return headers;
}

QPoint Middle(const QRect& place) {
    return place.center();
}

// Inside the top line of a list box, whatever the height of a line: a few pixels below the
// box's frame.
QPoint FirstLine(const QRect& place) {
    return {place.center().x(), place.top() + 6};
}

} // namespace

SettingsWindow::SettingsWindow(DazuRun& run, WindowId id, QRect clientArea,
                               QList<QPoint> tabHeaders)
    : run_(&run)
    , desktop_(run.desktop())
    , id_(std::move(id))
    , clientArea_(clientArea)
    , tabHeaders_(std::move(tabHeaders)) {}

Outcome<SettingsWindow> SettingsWindow::Start(const XServer& server, DazuRun& run) {
    const auto window = run.startShowing(kWindowTitle);
    if (!window)
        return window.failure();
    const auto area = run.desktop().clientArea(*window);
    if (!area)
        return area.failure();
    const auto headers = TabHeaders(server);
    if (!headers)
        return headers.failure();
    return SettingsWindow(run, *window, *area, *headers);
}

Outcome<void> SettingsWindow::clickTab(Tab tab) const {
    const auto before = desktop_.look(id_);
    if (!before)
        return before.failure();
    const int index = static_cast<int>(tab);
    if (const auto clicked = desktop_.clickAt(clientArea_.topLeft() + tabHeaders_.at(index));
        !clicked)
        return clicked;
    const QDeadlineTimer deadline(5s);
    for (;;) {
        const auto now = desktop_.look(id_);
        if (!now)
            return now.failure();
        if (*now != *before)
            return {};
        if (deadline.hasExpired())
            return Failure{QStringLiteral("the window looked the same 5 s after a click on "
                                          "the header of tab %1")
                               .arg(index)};
    }
}

Outcome<void> SettingsWindow::clickAt(const char* control, QPoint (*where)(const QRect&)) const {
    const auto place = PlaceInWindow(control);
    if (!place)
        return place.failure();
    return desktop_.clickAt(clientArea_.topLeft() + where(*place));
}

Outcome<void> SettingsWindow::click(const char* control) const {
    return clickAt(control, Middle);
}

Outcome<void> SettingsWindow::clickFirstItem(const char* list) const {
    return clickAt(list, FirstLine);
}

Outcome<void> SettingsWindow::replaceText(const char* control, const QString& text) const {
    if (const auto clicked = click(control); !clicked)
        return clicked;
    if (const auto selected = pressKeys({QStringLiteral("ctrl+a")}); !selected)
        return selected;
    return typeText(text);
}

Outcome<void> SettingsWindow::pressKeys(const QStringList& keys) const {
    return desktop_.pressKeys(id_, keys);
}

Outcome<void> SettingsWindow::typeText(const QString& text) const {
    return desktop_.typeText(id_, text);
}

Outcome<int> SettingsWindow::closeWith(const QString& keys) const {
    if (const auto pressed = pressKeys({keys}); !pressed)
        return pressed.failure();
    return run_->waitForExit();
}

} // namespace dazu::e2e
