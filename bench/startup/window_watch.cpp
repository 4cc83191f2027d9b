// Times a program's cold start from outside, as its user sees it: from starting it until the X server
// maps its first window; then ends it. Prints the microseconds; exit status 1 when no window came.
// It needs nothing of the program, so it times the installed one as well as a build's.
//   DISPLAY=:N window_watch PROGRAM [ARGS...]
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

long long monotonicUs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000 + now.tv_nsec / 1000;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: window_watch PROGRAM [ARGS...]\n", stderr);
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        std::fputs("window_watch: no X server (DISPLAY)\n", stderr);
        return 2;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const std::uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &events);
    // A round trip: the server watches the root before the program starts.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));

    const long long start = monotonicUs();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    long long mapped = -1;
    pollfd server{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (mapped < 0 && monotonicUs() - start < 30'000'000 && waitpid(child, nullptr, WNOHANG) == 0) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY && mapped < 0) mapped = monotonicUs() - start;
            std::free(event);
        }
        if (mapped < 0) poll(&server, 1, 10);
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(connection);
    if (mapped < 0) return 1;
    std::printf("%lld\n", mapped);
    return 0;
}
