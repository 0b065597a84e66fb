// Starts a program and reports, on one line, the milliseconds from its start until the X server
// maps a top-level window with the given title, and its resident memory in kB a given number of
// seconds after its start; then ends it. The map is seen as the server's own MapNotify event, so
// the figure holds no polling delay.
// Usage: time_to_map TITLE SECONDS PROGRAM [ARGUMENT...]
#include <xcb/xcb.h>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "time_to_map: %s\n", what);
    std::exit(1);
}

xcb_atom_t Atom(xcb_connection_t* x, const char* name)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, std::strlen(name), name), nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::string Title(xcb_connection_t* x, xcb_window_t window, xcb_atom_t name, xcb_atom_t utf8)
{
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(x, xcb_get_property(x, 0, window, name, utf8, 0, 256), nullptr), &std::free);
    if (!reply) return {};
    return {static_cast<const char*>(xcb_get_property_value(reply.get())),
            static_cast<size_t>(xcb_get_property_value_length(reply.get()))};
}

long ResidentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) Fail("usage: time_to_map TITLE SECONDS PROGRAM [ARGUMENT...]");
    const std::string wanted = argv[1];
    const auto settle = std::chrono::duration<double>(std::atof(argv[2]));

    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) Fail("cannot connect to the X server");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t name = Atom(x, "_NET_WM_NAME"), utf8 = Atom(x, "UTF8_STRING");

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0) Fail("cannot start the program");
    if (pid == 0) {
        execv(argv[3], argv + 3);
        _exit(127);
    }

    double mappedMs = -1;
    while (mappedMs < 0) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) Fail("the program ended before its window was mapped");
        if (Clock::now() - start > std::chrono::seconds(30)) {
            kill(pid, SIGKILL);
            Fail("no window was mapped within 30 s");
        }
        pollfd fd{xcb_get_file_descriptor(x), POLLIN, 0};
        poll(&fd, 1, 50);
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const Clock::time_point seen = Clock::now();
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (mappedMs < 0 && Title(x, map->window, name, utf8) == wanted)
                    mappedMs = std::chrono::duration<double, std::milli>(seen - start).count();
            }
            std::free(event);
        }
        if (xcb_connection_has_error(x)) Fail("lost the X server");
    }

    std::this_thread::sleep_until(start + std::chrono::duration_cast<Clock::duration>(settle));
    const long kb = ResidentKb(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    xcb_disconnect(x);
    std::printf("%.1f %ld\n", mappedMs, kb);
    return 0;
}
