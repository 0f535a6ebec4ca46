#pragma once

#include "Outcome.h"

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QProcessEnvironment>
#include <QRect>
#include <QStringList>

namespace dazu::e2e {

// A top-level window, by the decimal id the X tools print.
struct WindowId {
    QString id;
};

// The sizes a window asks its window manager to keep it within; invalid where it set none.
struct SizeLimits {
    QSize minimum;
    QSize maximum;
};

// What a user sees on one X display and what a user does there, through the X tools
// (xdotool, xprop, xwininfo, import). Input goes through the XTEST extension, as from a
// real keyboard and mouse, never as events sent to a window.
class Desktop {
public:
    Desktop(QProcessEnvironment environment, bool managed);

    // The visible top-level windows of a process, none when it shows none.
    Outcome<QList<WindowId>> windowsOf(qint64 processId) const;
    Outcome<QString> title(const WindowId& window) const;
    // The window's client area in screen coordinates.
    Outcome<QRect> clientArea(const WindowId& window) const;
    // The window manager's frame around the client area; zero where no one draws one.
    Outcome<QMargins> frameExtents(const WindowId& window) const;
    // What the window manager lets the user do to the window (_NET_WM_ACTION_CLOSE, ...).
    Outcome<QStringList> allowedActions(const WindowId& window) const;
    Outcome<SizeLimits> sizeLimits(const WindowId& window) const;

    // Brings the window to the front with the keyboard focus, then presses each key
    // combination in turn ("alt+a", "Return").
    Outcome<void> pressKeys(const WindowId& window, const QStringList& keys) const;
    Outcome<void> typeText(const WindowId& window, const QString& text) const;
    Outcome<void> clickAt(QPoint screenPosition) const;

    // The window through which the program that owns the window speaks to the X server: the
    // same for every window that one toolkit connection draws.
    Outcome<QString> clientLeader(const WindowId& window) const;

    // Saves the whole screen as <name>.png among the build's screenshots; gives the path.
    Outcome<QString> screenshot(const QString& name) const;
    // The same for one window alone, with its frame where a window manager draws one.
    Outcome<QString> screenshotOf(const WindowId& window, const QString& name) const;
    // What the window shows now, as image data to compare with what it shows later.
    Outcome<QByteArray> look(const WindowId& window) const;

private:
    Outcome<QByteArray> run(const QString& tool, const QStringList& arguments) const;
    // The value xprop prints for a property of the window; empty where it has none.
    Outcome<QString> property(const WindowId& window, const QString& name) const;
    Outcome<void> focus(const WindowId& window) const;
    // Captures a window ("root": the screen) with import (ImageMagick).
    Outcome<QByteArray> capture(const QStringList& window) const;
    // Captures as soon as the picture has settled; saves it.
    Outcome<QString> saveSettled(const QStringList& window, const QString& name) const;

    QProcessEnvironment environment_;
    bool managed_;
};

} // namespace dazu::e2e
