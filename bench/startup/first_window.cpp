// Starts a program on the X server DISPLAY names and measures, to the microsecond, the time
// until its first window is mapped (the first MapNotify on the root window after the start:
// the desktop has nothing else starting), then its resident memory (VmRSS) `settle` ms
// later; prints "MS KIB" and ends the program. Usage: first_window SETTLE_MS PROGRAM [ARGS].
#include <xcb/xcb.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

long residentKib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// Waits up to `timeoutMs` for a MapNotify; false if none came.
bool waitForMap(xcb_connection_t* c, double timeoutMs) {
    const double end = nowMs() + timeoutMs;
    pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
    while (nowMs() < end) {
        while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
            const bool mapped = (e->response_type & 0x7f) == XCB_MAP_NOTIFY;
            std::free(e);
            if (mapped) return true;
        }
        if (xcb_connection_has_error(c)) return false;
        poll(&fd, 1, 10);
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "Usage: %s SETTLE_MS PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "No X server.\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    // A round trip: the server selects the events before the program starts.
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));

    const double started = nowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    const bool mapped = waitForMap(c, 20000);
    const double ms = nowMs() - started;
    usleep(useconds_t(std::atoi(argv[1])) * 1000);
    const long kib = residentKib(pid);
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    xcb_disconnect(c);
    if (!mapped) {
        std::fprintf(stderr, "No window was mapped.\n");
        return 1;
    }
    std::printf("%.1f %ld\n", ms, kib);
    return 0;
}
