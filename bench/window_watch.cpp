// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a program and times it from exec to its first top-level window being mapped on the X
// server, without polling: the watcher asks the server for the root window's map events before it
// forks, so the map is seen as soon as the server performs it. Then it reads the program's
// resident memory, optionally keeps it running to measure its idle CPU time, and ends it.
//
//   window_watch [--idle SECONDS] -- PROGRAM [ARG...]
// prints "startup_ms=12.34 rss_kb=30000" as soon as the window is mapped, and with --idle the
// CPU time all its threads used in the first 2 s after the map, "early_cpu_ms=40", then
// "idle_cpu_pct=0.05" over the idle time that follows.

#include <xcb/xcb.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// How long after the map the program counts as starting; its idle time begins after that.
constexpr double earlySeconds = 2;

double nowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

long statusKb(pid_t pid, const char *field)
{
    const std::string path = "/proc/" + std::to_string(pid) + "/status";
    FILE *f = std::fopen(path.c_str(), "r");
    if (!f)
        return -1;
    char line[256];
    long value = -1;
    const size_t n = std::strlen(field);
    while (std::fgets(line, sizeof line, f)) {
        if (std::strncmp(line, field, n) == 0 && line[n] == ':') {
            value = std::strtol(line + n + 1, nullptr, 10);
            break;
        }
    }
    std::fclose(f);
    return value;
}

// User and system time of the whole process, all threads, in clock ticks.
long long cpuTicks(pid_t pid)
{
    const std::string path = "/proc/" + std::to_string(pid) + "/stat";
    FILE *f = std::fopen(path.c_str(), "r");
    if (!f)
        return -1;
    char buf[1024];
    const size_t got = std::fread(buf, 1, sizeof buf - 1, f);
    std::fclose(f);
    buf[got] = 0;
    // The command name may hold spaces; the fields after it are counted from its ")".
    const char *p = std::strrchr(buf, ')');
    if (!p)
        return -1;
    long long utime = 0, stime = 0;
    // state ppid pgrp session tty tpgid flags minflt cminflt majflt cmajflt utime stime
    if (std::sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lld %lld", &utime,
                    &stime) != 2)
        return -1;
    return utime + stime;
}

int usage()
{
    std::fprintf(stderr, "usage: window_watch [--idle SECONDS] -- PROGRAM [ARG...]\n");
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    double idleSeconds = 0;
    int i = 1;
    for (; i < argc; ++i) {
        if (std::strcmp(argv[i], "--idle") == 0 && i + 1 < argc)
            idleSeconds = std::atof(argv[++i]);
        else if (std::strcmp(argv[i], "--") == 0) {
            ++i;
            break;
        } else
            return usage();
    }
    if (i >= argc)
        return usage();

    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "window_watch: cannot open the display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_void_cookie_t cookie =
        xcb_change_window_attributes_checked(x, root, XCB_CW_EVENT_MASK, &mask);
    if (xcb_generic_error_t *error = xcb_request_check(x, cookie)) {
        std::fprintf(stderr, "window_watch: cannot watch the root window\n");
        std::free(error);
        return 1;
    }

    const double start = nowMs();
    const pid_t pid = fork();
    if (pid < 0)
        return 1;
    if (pid == 0) {
        execvp(argv[i], argv + i);
        std::perror("window_watch: exec");
        _exit(127);
    }

    // Waits for the map, a little at a time, so a program that ends or hangs first is noticed.
    double mapped = -1;
    pollfd fd{xcb_get_file_descriptor(x), POLLIN, 0};
    while (mapped < 0) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(x)) {
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_MAP_NOTIFY && mapped < 0) {
                auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
                // The first ordinary top-level window; pop-ups set override-redirect.
                if (map->event == root && !map->override_redirect)
                    mapped = nowMs();
            }
            std::free(event);
        }
        if (mapped >= 0)
            break;
        int status = 0;
        if (xcb_connection_has_error(x) || waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "window_watch: the program ended before showing a window\n");
            return 1;
        }
        if (nowMs() - start > 60000) {
            std::fprintf(stderr, "window_watch: no window within 60 s\n");
            kill(pid, SIGKILL);
            return 1;
        }
        poll(&fd, 1, 100);
    }
    const long rss = statusKb(pid, "VmRSS");
    std::printf("startup_ms=%.2f rss_kb=%ld\n", mapped - start, rss);
    std::fflush(stdout);

    if (idleSeconds > 0) {
        // The first seconds after the map: the first paint and whatever the program does just
        // after showing, on all its threads (the drill log opened ahead, say).
        const long long atMap = cpuTicks(pid);
        const double ticksPerMs = double(sysconf(_SC_CLK_TCK)) / 1e3;
        const double early = mapped + earlySeconds * 1e3 - nowMs();
        if (early > 0)
            usleep(static_cast<useconds_t>(early * 1e3));
        const long long before = cpuTicks(pid);
        std::printf("early_cpu_ms=%.0f\n", double(before - atMap) / ticksPerMs);
        std::fflush(stdout);
        const double from = nowMs();
        usleep(static_cast<useconds_t>(idleSeconds * 1e6));
        const long long after = cpuTicks(pid);
        const double elapsedS = (nowMs() - from) / 1e3;
        const double pct = 100.0 * double(after - before) / double(sysconf(_SC_CLK_TCK)) / elapsedS;
        std::printf("idle_cpu_pct=%.3f\n", pct);
        std::fflush(stdout);
    }

    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    xcb_disconnect(x);
    return 0;
}
