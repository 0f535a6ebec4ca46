// Prints where the settings window puts the headers of its tabs on this display: the centre of
// each header, relative to the window's client area, as one "x y" line per tab in order.
// The design places every control but not the headers: their widths follow the font and
// style that the display gives the window. This builds the same window with the same font
// and style, lays it out without showing it, and measures.
#include "setup.h"

#include <QApplication>
#include <QTabBar>
#include <QTabWidget>
#include <QTextStream>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    setup window;
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show(); // the tab control places its strip when it is shown
    const QTabBar* strip = window.controls().SSTab1->tabBar();
    QTextStream out(stdout);
    for (int tab = 0; tab < strip->count(); ++tab) {
        const QPoint centre = strip->mapTo(&window, strip->tabRect(tab).center());
        out << centre.x() << ' ' << centre.y() << '\n';
    }
    return 0;
}
