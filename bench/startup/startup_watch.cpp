// Starts a program on the X display and prints, on one line, how long after
// the exec its first top-level window was mapped and first drawn into, and
// its resident memory at a later moment:
//
//   startup_watch RSS_AFTER_MS PROGRAM [ARGUMENTS...]
//   -> "mapped_ms=123.4 painted_ms=130.2 rss_kb=25300"
//
// The watcher connects and listens before it starts the program, so nothing
// is missed and its own start-up is not counted. "Mapped" is the first
// ordinary (not override-redirect) window mapped on the root after the exec:
// the program's window, or the frame a window manager puts around it.
// "Painted" is the first drawing into a window that carries the program's
// process id, seen through the X Damage extension. The program gets SIGTERM
// once the memory is read and the watcher waits for it to end. With
// STARTUP_WATCH_MAPS=FILE set, the program's memory map at that moment (which
// libraries it has loaded) is copied to FILE.

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>

namespace {

double NowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
}

long ResidentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

void CopyMemoryMap(pid_t pid)
{
    const char* target = std::getenv("STARTUP_WATCH_MAPS");
    if (target == nullptr || *target == '\0')
        return;
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::ofstream copy(target);
    copy << maps.rdbuf();
}

xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name)
{
    auto cookie = xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

class Watcher {
public:
    Watcher(xcb_connection_t* connection, xcb_window_t root)
        : connection_(connection), root_(root), pidAtom_(InternAtom(connection, "_NET_WM_PID"))
    {
        const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection, &xcb_damage_id);
        if (damage == nullptr || !damage->present) {
            std::fprintf(stderr, "startup_watch: the X server has no Damage extension\n");
            std::exit(2);
        }
        damageEvent_ = damage->first_event + XCB_DAMAGE_NOTIFY;
        xcb_damage_query_version_reply(connection, xcb_damage_query_version(connection, 1, 1), nullptr);
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection);
    }

    void Watch(pid_t pid, double start, int rssAfterMs)
    {
        pid_ = pid;
        const int fd = xcb_get_file_descriptor(connection_);
        while (residentKb_ < 0) {
            const double elapsed = NowMs() - start;
            if (elapsed >= rssAfterMs) {
                residentKb_ = ResidentKb(pid);
                CopyMemoryMap(pid);
                break;
            }
            pollfd wait{fd, POLLIN, 0};
            poll(&wait, 1, int(rssAfterMs - elapsed) + 1);
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
                Handle(event, NowMs() - start);
                std::free(event);
            }
            if (xcb_connection_has_error(connection_))
                break;
        }
    }

    double mappedMs = -1;
    double paintedMs = -1;
    long ResidentKbRead() const { return residentKb_; }

private:
    void Handle(const xcb_generic_event_t* event, double elapsed)
    {
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            const auto* created = reinterpret_cast<const xcb_create_notify_event_t*>(event);
            if (!created->override_redirect)
                Track(created->window);
        } else if (type == XCB_MAP_NOTIFY) {
            const auto* mapped = reinterpret_cast<const xcb_map_notify_event_t*>(event);
            const bool onRoot = mapped->event == root_;
            if (mappedMs < 0 && (onRoot || (mapped->event == mapped->window && BelongsToProgram(mapped->window))))
                mappedMs = elapsed;
        } else if (type == damageEvent_) {
            const auto* damage = reinterpret_cast<const xcb_damage_notify_event_t*>(event);
            if (paintedMs < 0 && BelongsToProgram(damage->drawable))
                paintedMs = elapsed;
        }
    }

    // Window managers put the program's window into a frame of their own, so
    // its mapping may be seen on the window itself only.
    void Track(xcb_window_t window)
    {
        const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &mask);
        const xcb_damage_damage_t damage = xcb_generate_id(connection_);
        xcb_damage_create(connection_, damage, window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
        xcb_flush(connection_);
    }

    // Window managers draw their frames too; only the program's own windows count.
    bool BelongsToProgram(xcb_window_t window)
    {
        auto known = owners_.find(window);
        if (known != owners_.end())
            return known->second == pid_;
        auto cookie = xcb_get_property(connection_, 0, window, pidAtom_, XCB_ATOM_CARDINAL, 0, 1);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(connection_, cookie, nullptr);
        long owner = -1;
        if (reply != nullptr && xcb_get_property_value_length(reply) == 4)
            owner = *static_cast<const uint32_t*>(xcb_get_property_value(reply));
        std::free(reply);
        if (owner >= 0)
            owners_[window] = owner;
        return owner == pid_;
    }

    xcb_connection_t* connection_;
    xcb_window_t root_;
    xcb_atom_t pidAtom_;
    uint8_t damageEvent_ = 0;
    pid_t pid_ = 0;
    long residentKb_ = -1;
    std::map<xcb_window_t, long> owners_;
};

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_watch RSS_AFTER_MS PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    const int rssAfterMs = std::atoi(argv[1]);
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "startup_watch: cannot connect to the X display\n");
        return 2;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    Watcher watcher(connection, screens.data->root);

    const double start = NowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        std::perror("startup_watch: exec");
        _exit(127);
    }
    watcher.Watch(pid, start, rssAfterMs);
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    xcb_disconnect(connection);
    std::printf("mapped_ms=%.1f painted_ms=%.1f rss_kb=%ld\n", watcher.mappedMs, watcher.paintedMs,
                watcher.ResidentKbRead());
    return watcher.mappedMs < 0 || watcher.paintedMs < 0 ? 1 : 0;
}
