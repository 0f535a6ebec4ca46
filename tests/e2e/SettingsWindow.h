#pragma once

#include "Desktop.h"
#include "Outcome.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace dazu::e2e {

class DazuRun;
class XServer;

// The settings window as a user meets it.
inline const QString kWindowTitle = QStringLiteral("DAZU - Configuración");
inline constexpr QSize kClientArea{560, 342};

// The tabs of the window, in the order of their headers.
enum class Tab { Ejecucion, Comunicaciones, Archivos };

// The settings window on the screen, driven as a user drives it: clicks where the window's
// design puts each control, keys and typing. Controls are named as in the design.
class SettingsWindow {
public:
    // Starts the program and waits until it shows the settings window.
    static Outcome<SettingsWindow> Start(const XServer& server, DazuRun& run);

    const WindowId& id() const { return id_; }
    const QRect& clientArea() const { return clientArea_; }

    // Clicks the header of a tab that is not in front, and waits until the window shows its
    // page, so that a picture taken next shows it too.
    Outcome<void> clickTab(Tab tab) const;
    // Clicks the middle of the control.
    Outcome<void> click(const char* control) const;
    // Clicks the first line of a list box.
    Outcome<void> clickFirstItem(const char* list) const;
    // Clicks into a text or combo box, selects what it holds and types the text over it.
    Outcome<void> replaceText(const char* control, const QString& text) const;
    Outcome<void> pressKeys(const QStringList& keys) const;
    Outcome<void> typeText(const QString& text) const;
    // Presses the keys that close the window ("alt+a", "alt+c") and waits for the program to
    // end; gives its exit status.
    Outcome<int> closeWith(const QString& keys) const;

private:
    SettingsWindow(DazuRun& run, WindowId id, QRect clientArea, QList<QPoint> tabHeaders);
    Outcome<void> clickAt(const char* control, QPoint (*where)(const QRect&)) const;

    DazuRun* run_;
    Desktop desktop_;
    WindowId id_;
    QRect clientArea_;
    QList<QPoint> tabHeaders_; // relative to the client area
};

} // namespace dazu::e2e
