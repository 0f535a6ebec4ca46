// The cost of one list edit and of the save, each through the window's own handlers in the
// folder of this executable (prepared with large lists), and of the first showing of the
// lists. Prints one line per operation: its name and the time of one operation in
// microseconds, the median where it is repeated.
#include "FailurePath.h"
#include "FirstPaint.h"
#include "ListBox.h"
#include "setup.h"
#include "UnattendedMessages.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <string>
#include <vector>

namespace {

constexpr int kListOperations = 101;
constexpr int kSaves = 21;
constexpr int kFilesTab = 2; // "Archivos", where the user edits the lists

// Loads the window and returns once it has been painted, as the user first sees it.
void openWindow(setup& window) {
    if (!window.Form_Load())
        std::exit(EXIT_FAILURE);
    dazu::bench::QuitOnFirstPaint painted(window);
    QApplication::exec();
}

// One operation as the user waits for it: the handler, then whatever it left for the event
// loop (a list's deferred layout and repaint) until the loop is idle again.
double timeMicroseconds(const std::function<void()>& operation) {
    const auto start = std::chrono::steady_clock::now();
    operation();
    QCoreApplication::processEvents();
    const auto stop = std::chrono::steady_clock::now();
    if (dazu::bench::MessagesShown() != 0) // the failure path shows one too
        std::exit(EXIT_FAILURE);
    return std::chrono::duration<double, std::micro>(stop - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::vector<double> addNames(setup& window) {
    auto* entry = window.controls().txtfile;
    std::vector<double> times;
    for (int i = 0; i < kListOperations; ++i) {
        entry->setText(QStringLiteral("PEDIDOS%1.TXT").arg(i, 7, 10, QLatin1Char('0')));
        times.push_back(timeMicroseconds([&window] {
            window.cmmagregar_Click();
            qint16 enter = 13;
            window.txtfile_KeyPress(enter);
        }));
    }
    return times;
}

std::vector<double> deleteNames(setup& window) {
    auto* list = window.controls().List1;
    std::vector<double> times;
    for (int i = 0; i < kListOperations; ++i) {
        // Spread over the whole list, not only its end.
        const auto row = static_cast<int>((i * 7919L) % list->names().rowCount());
        list->setCurrentIndex(list->names().index(row));
        QCoreApplication::processEvents(); // the selection's repaint is the user's click
        times.push_back(timeMicroseconds([&window] { window.cmmborrar_Click(); }));
    }
    return times;
}

// "&Aceptar" closes the window, so every save has a window of its own, loaded and painted
// before the click is timed.
std::vector<double> saves() {
    std::vector<double> times;
    for (int i = 0; i < kSaves; ++i) {
        setup window;
        openWindow(window);
        times.push_back(timeMicroseconds([&window] { window.cmdsetup_Click(); }));
    }
    return times;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    dazu::bench::ReportMessagesOnStandardError();

    double tabOpened = 0;
    std::vector<double> added, deleted;
    {
        setup window;
        openWindow(window);
        // The lists are first laid out when their tab first comes to the front.
        tabOpened =
            timeMicroseconds([&window] { window.controls().SSTab1->setCurrentIndex(kFilesTab); });
        added = addNames(window);
        deleted = deleteNames(window);
    }
    const std::vector<double> saved = saves();

    std::printf("tab %.1f\nadd %.1f\ndelete %.1f\nsave %.1f\n", tabOpened, median(added),
                median(deleted), median(saved));
    return EXIT_SUCCESS;
}
