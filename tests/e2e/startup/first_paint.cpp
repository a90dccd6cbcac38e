// first_paint X Y [-s SETTLE_MS] -- COMMAND [ARGS...]
//
// Starts COMMAND on the X display named by $DISPLAY and measures how long it
// takes to put its first pixels on screen: from just before the fork until the
// root-window pixel at (X, Y) differs from what it was before the start. It
// then lets the program run SETTLE_MS more (default 300), ends it with SIGTERM
// and prints one line: "<milliseconds to first paint> <peak resident set kB>".
// The peak is the child's maximum resident set size as the kernel accounts it
// (wait4's ru_maxrss, the figure /usr/bin/time -v prints).
//
// Exit status: 0 on a measurement, 1 when the program ended or nothing was
// painted within 20 s, 2 on a usage or display error.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

unsigned long rootPixel(Display* display, int x, int y)
{
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) {
        std::fprintf(stderr, "first_paint: cannot read the screen at %d,%d\n", x, y);
        std::exit(2);
    }
    unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return pixel;
}

// Ends the child with SIGTERM (SIGKILL if it lingers) and returns its peak RSS in kB.
long endAndMeasure(pid_t child)
{
    kill(child, SIGTERM);
    auto deadline = Clock::now() + std::chrono::seconds(5);
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, WNOHANG, &usage) == 0) {
        if (Clock::now() > deadline) {
            kill(child, SIGKILL);
            wait4(child, &status, 0, &usage);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    int settleMs = 300;
    int separator = 0;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--") == 0) { separator = i; break; }
    if (separator < 3 || separator + 1 >= argc) {
        std::fprintf(stderr, "usage: first_paint X Y [-s SETTLE_MS] -- COMMAND [ARGS...]\n");
        return 2;
    }
    const int x = std::atoi(argv[1]);
    const int y = std::atoi(argv[2]);
    if (separator == 5 && std::strcmp(argv[3], "-s") == 0)
        settleMs = std::atoi(argv[4]);

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "first_paint: cannot open the display\n");
        return 2;
    }
    const unsigned long before = rootPixel(display, x, y);

    const auto start = Clock::now();
    pid_t child = fork();
    if (child == 0) {
        execvp(argv[separator + 1], argv + separator + 1);
        std::perror("first_paint: exec");
        _exit(127);
    }
    if (child < 0) {
        std::perror("first_paint: fork");
        return 2;
    }

    const auto deadline = start + std::chrono::seconds(20);
    unsigned long now = before;
    while ((now = rootPixel(display, x, y)) == before) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "first_paint: the program ended before painting (status %d)\n", status);
            return 1;
        }
        if (Clock::now() > deadline) {
            std::fprintf(stderr, "first_paint: nothing painted at %d,%d within 20 s\n", x, y);
            endAndMeasure(child);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::fprintf(stderr, "first_paint: pixel %06lx -> %06lx after %.1f ms\n", before, now, ms);

    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const long peakKb = endAndMeasure(child);
    XCloseDisplay(display);
    std::printf("%.1f %ld\n", ms, peakKb);
    return 0;
}
