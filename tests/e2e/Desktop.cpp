#include "Desktop.h"

#include "Tool.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <utility>

namespace dazu::e2e {

namespace {

// The first whole number that follows the label in a tool's report, or -1.
int NumberAfter(const QString& report, const QString& label) {
    const QRegularExpression pattern(QRegularExpression::escape(label) +
                                     QStringLiteral(R"(\s*(-?\d+))"));
    const auto match = pattern.match(report);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// "program specified minimum size: 560 by 342" in xprop's report of WM_NORMAL_HINTS.
QSize SizeAfter(const QString& report, const QString& label) {
    const QRegularExpression pattern(QRegularExpression::escape(label) +
                                     QStringLiteral(R"(:\s*(\d+) by (\d+))"));
    const auto match = pattern.match(report);
    return match.hasMatch() ? QSize(match.captured(1).toInt(), match.captured(2).toInt()) : QSize();
}

} // namespace

Desktop::Desktop(QProcessEnvironment environment, bool managed)
    : environment_(std::move(environment))
    , managed_(managed) {}

Outcome<QByteArray> Desktop::run(const QString& tool, const QStringList& arguments) const {
    return RunToolChecked(environment_, tool, arguments);
}

Outcome<QList<WindowId>> Desktop::windowsOf(qint64 processId) const {
    const auto search = RunTool(environment_, QStringLiteral("xdotool"),
                                {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                 QStringLiteral("--pid"), QString::number(processId)});
    if (!search)
        return search.failure();
    // xdotool ends with status 1 when nothing matched.
    if (search->exitCode > 1)
        return Failure{QStringLiteral("xdotool search failed: %1")
                           .arg(QString::fromLocal8Bit(search->errors.trimmed()))};
    QList<WindowId> windows;
    for (const QByteArray& line : search->output.split('\n'))
        if (!line.trimmed().isEmpty())
            windows.append({QString::fromLatin1(line.trimmed())});
    return windows;
}

Outcome<QString> Desktop::property(const WindowId& window, const QString& name) const {
    const auto printed = run(QStringLiteral("xprop"),
                             {QStringLiteral("-notype"), QStringLiteral("-id"), window.id, name});
    if (!printed)
        return printed.failure();
    // xprop prints "NAME = value", or "NAME:" followed by lines for a structure such as
    // WM_NORMAL_HINTS, or "NAME:  not found." for a window without the property.
    const QString rest = QString::fromUtf8(*printed).mid(name.size());
    if (rest.startsWith(QLatin1String(" = ")))
        return rest.mid(3).trimmed();
    const QString lines = rest.mid(1).trimmed();
    if (lines == QLatin1String("not found.") || lines.startsWith(QLatin1String("no such atom")))
        return QString();
    return lines;
}

Outcome<QString> Desktop::title(const WindowId& window) const {
    const auto value = property(window, QStringLiteral("_NET_WM_NAME"));
    if (!value)
        return value;
    // xprop quotes the text; the titles checked here hold no quote or backslash to unescape.
    QString text = *value;
    if (text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
        text = text.mid(1, text.size() - 2);
    return text;
}

Outcome<QRect> Desktop::clientArea(const WindowId& window) const {
    const auto report = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window.id});
    if (!report)
        return report.failure();
    const QString text = QString::fromUtf8(*report);
    return QRect(NumberAfter(text, QStringLiteral("Absolute upper-left X:")),
                 NumberAfter(text, QStringLiteral("Absolute upper-left Y:")),
                 NumberAfter(text, QStringLiteral("Width:")),
                 NumberAfter(text, QStringLiteral("Height:")));
}

Outcome<QMargins> Desktop::frameExtents(const WindowId& window) const {
    const auto value = property(window, QStringLiteral("_NET_FRAME_EXTENTS"));
    if (!value)
        return value.failure();
    if (value->isEmpty())
        return QMargins();
    const QStringList numbers = value->split(QLatin1Char(','));
    if (numbers.size() != 4)
        return Failure{QStringLiteral("unexpected _NET_FRAME_EXTENTS: %1").arg(*value)};
    // The property lists left, right, top, bottom.
    return QMargins(numbers[0].toInt(), numbers[2].toInt(), numbers[1].toInt(), numbers[3].toInt());
}

Outcome<QStringList> Desktop::allowedActions(const WindowId& window) const {
    const auto value = property(window, QStringLiteral("_NET_WM_ALLOWED_ACTIONS"));
    if (!value)
        return value.failure();
    QStringList actions;
    for (const QString& action : value->split(QLatin1Char(','), Qt::SkipEmptyParts))
        actions.append(action.trimmed());
    return actions;
}

Outcome<SizeLimits> Desktop::sizeLimits(const WindowId& window) const {
    const auto value = property(window, QStringLiteral("WM_NORMAL_HINTS"));
    if (!value)
        return value.failure();
    return SizeLimits{SizeAfter(*value, QStringLiteral("minimum size")),
                      SizeAfter(*value, QStringLiteral("maximum size"))};
}

Outcome<void> Desktop::focus(const WindowId& window) const {
    // Without a window manager no one answers an activation request: set the focus directly.
    const QString how = managed_ ? QStringLiteral("windowactivate") : QStringLiteral("windowfocus");
    const auto focused = run(QStringLiteral("xdotool"), {how, QStringLiteral("--sync"), window.id});
    if (!focused)
        return Failure{QStringLiteral("the window never got the keyboard focus: %1")
                           .arg(focused.failure().why)};
    return {};
}

Outcome<void> Desktop::pressKeys(const WindowId& window, const QStringList& keys) const {
    if (const auto focused = focus(window); !focused)
        return focused;
    const auto pressed = run(QStringLiteral("xdotool"), QStringList{QStringLiteral("key")} + keys);
    return pressed ? Outcome<void>() : pressed.failure();
}

Outcome<void> Desktop::typeText(const WindowId& window, const QString& text) const {
    if (const auto focused = focus(window); !focused)
        return focused;
    const auto typed =
        run(QStringLiteral("xdotool"), {QStringLiteral("type"), QStringLiteral("--"), text});
    return typed ? Outcome<void>() : typed.failure();
}

Outcome<void> Desktop::clickAt(QPoint screenPosition) const {
    // No --sync: it waits for a pointer motion, and there is none when the pointer is already
    // there. The server handles the motion before the click all the same.
    const auto clicked =
        run(QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QString::number(screenPosition.x()),
             QString::number(screenPosition.y()), QStringLiteral("click"), QStringLiteral("1")});
    return clicked ? Outcome<void>() : clicked.failure();
}

Outcome<QString> Desktop::clientLeader(const WindowId& window) const {
    return property(window, QStringLiteral("WM_CLIENT_LEADER"));
}

Outcome<QString> Desktop::screenshot(const QString& name) const {
    return saveSettled({QStringLiteral("-window"), QStringLiteral("root")}, name);
}

Outcome<QString> Desktop::screenshotOf(const WindowId& window, const QString& name) const {
    QStringList captured{QStringLiteral("-window"), window.id};
    if (managed_)
        captured.prepend(QStringLiteral("-frame"));
    return saveSettled(captured, name);
}

Outcome<QByteArray> Desktop::look(const WindowId& window) const {
    return capture({QStringLiteral("-window"), window.id});
}

Outcome<QByteArray> Desktop::capture(const QStringList& window) const {
    return run(QStringLiteral("import"),
               window + QStringList{QStringLiteral("-depth"), QStringLiteral("8"),
                                    QStringLiteral("ppm:-")});
}

Outcome<QString> Desktop::saveSettled(const QStringList& window, const QString& name) const {
    // A window appears before it is drawn: capture until two captures agree, so that the
    // picture shows the window drawn. A screen that never settles (a blinking caret) is saved
    // as last captured.
    QByteArray picture;
    const QDeadlineTimer deadline(5s);
    for (QByteArray previous;; previous = picture) {
        const auto taken = capture(window);
        if (!taken)
            return taken.failure();
        picture = *taken;
        if (picture == previous || deadline.hasExpired())
            break;
    }

    const QDir folder(QStringLiteral(DAZU_E2E_SCREENSHOT_DIR));
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    if (!folder.mkpath(QStringLiteral(".")) || !QImage::fromData(picture, "PPM").save(path))
        return Failure{QStringLiteral("cannot save the screen as %1").arg(path)};
    return path;
}

} // namespace dazu::e2e
