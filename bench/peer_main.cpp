// Times another program from its start until the X server maps its first top-level window:
//
//   dazu_bench_peer PROGRAM [ARGUMENT...]
//
// Prints the wall time in milliseconds and the program's peak resident memory in KiB, as
// bench/run's measure() does for the programs it can stop at their first paint, then ends the
// program. A program that cannot be told to end at its first paint is timed this way: its
// window's first paint comes a few milliseconds after the map, so this favours the peer.
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

struct Free {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using XcbReply = std::unique_ptr<T, Free>;

struct Connection {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    ~Connection() { xcb_disconnect(c); }
};

// The peak resident memory of a running process, from its status (the VmHWM line).
long peakKib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENT...]\n", argv[0]);
        return EXIT_FAILURE;
    }
    Connection x;
    if (xcb_connection_has_error(x.c)) {
        std::fprintf(stderr, "no X display\n");
        return EXIT_FAILURE;
    }
    // Every window mapped as a child of the root, that is every top-level window, is
    // reported; the selection is in force before the program starts.
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x.c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    XcbReply<xcb_generic_error_t> refused(xcb_request_check(
        x.c, xcb_change_window_attributes_checked(x.c, root, XCB_CW_EVENT_MASK, &mask)));
    if (refused) {
        std::fprintf(stderr, "cannot watch the root window\n");
        return EXIT_FAILURE;
    }

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        dup2(STDERR_FILENO, STDOUT_FILENO); // standard output carries only the measurement
        execvp(argv[1], argv + 1);
        std::perror(argv[1]);
        _exit(127);
    }
    if (child < 0) {
        std::perror("fork");
        return EXIT_FAILURE;
    }

    // Waits for the map, and stops waiting when the program ends without one.
    bool mapped = false;
    bool ended = false;
    while (!mapped && !ended && !xcb_connection_has_error(x.c)) {
        while (XcbReply<xcb_generic_event_t> event{xcb_poll_for_event(x.c)}) {
            if ((event->response_type & ~0x80) != XCB_MAP_NOTIFY)
                continue;
            const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
            mapped = mapped || !map->override_redirect; // menus and tool tips do not count
        }
        if (mapped)
            break;
        int status = 0;
        ended = waitpid(child, &status, WNOHANG) == child;
        pollfd display{xcb_get_file_descriptor(x.c), POLLIN, 0};
        if (!ended)
            poll(&display, 1, 100);
    }
    const auto stop = std::chrono::steady_clock::now();
    const long kib = mapped ? peakKib(child) : -1;
    if (!ended) {
        kill(child, SIGTERM);
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }
    if (!mapped || kib < 0) {
        std::fprintf(stderr, "%s showed no window\n", argv[1]);
        return EXIT_FAILURE;
    }
    std::printf("%.3f %ld\n", std::chrono::duration<double, std::milli>(stop - start).count(), kib);
    return EXIT_SUCCESS;
}
