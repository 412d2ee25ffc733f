// Starts a program on the X display and watches it from outside, as a pupil would see it:
// the time from exec until its first window is on screen and painted, the processor time it
// takes while it waits, and its peak resident memory.  It can click into the window first and
// then watch the window that the click brings up.  At the end it closes the window on screen
// as a window manager does and waits for the program to end.
//
// usage: startwatch [--idle SECONDS] [--click X,Y] [--settle SECONDS] [--timeout SECONDS]
//                   [--colour R,G,B] -- PROGRAM [ARGUMENT...]
//
// A window counts as painted when the pixel 3 pixels in from its bottom-right corner has the
// window's background colour (--colour, 192,220,192 by default).  The results go to standard
// output as key=value lines; the exit status is 0 when the program started, was watched and
// ended by itself after the close request.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/XTest.h>

#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    double idleSeconds = 0;
    double settleSeconds = 1;
    double timeoutSeconds = 30;
    std::optional<std::pair<int, int>> click;
    unsigned colour[3] = {192, 220, 192};
    char** command = nullptr;
};

[[noreturn]] void Usage()
{
    std::fprintf(stderr,
        "usage: startwatch [--idle SECONDS] [--click X,Y] [--settle SECONDS] [--timeout SECONDS]\n"
        "                  [--colour R,G,B] -- PROGRAM [ARGUMENT...]\n");
    std::exit(2);
}

Options ParseOptions(int argc, char* argv[])
{
    Options options;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (i + 1 >= argc)
            Usage();
        const char* value = argv[++i];
        if (arg == "--idle")
            options.idleSeconds = std::atof(value);
        else if (arg == "--settle")
            options.settleSeconds = std::atof(value);
        else if (arg == "--timeout")
            options.timeoutSeconds = std::atof(value);
        else if (arg == "--click") {
            int x = 0, y = 0;
            if (std::sscanf(value, "%d,%d", &x, &y) != 2)
                Usage();
            options.click = {x, y};
        } else if (arg == "--colour") {
            if (std::sscanf(value, "%u,%u,%u", &options.colour[0], &options.colour[1], &options.colour[2]) != 3)
                Usage();
        } else
            Usage();
    }
    if (i >= argc)
        Usage();
    options.command = argv + i;
    return options;
}

// Windows come and go while a program starts; a request on one that is gone is not an error here.
int IgnoreXError(Display*, XErrorEvent*)
{
    return 0;
}

// Processor time of every thread of a process so far, in nanoseconds.
std::uint64_t ProcessCpuNanoseconds(pid_t pid)
{
    std::uint64_t total = 0;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (!dir)
        return 0;
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        std::ifstream schedstat(tasks + "/" + entry->d_name + "/schedstat");
        std::uint64_t onCpu = 0;
        if (schedstat >> onCpu)
            total += onCpu;
    }
    closedir(dir);
    return total;
}

double Milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

class Watcher {
public:
    explicit Watcher(const Options& options)
        : options_(options)
    {
        display_ = XOpenDisplay(nullptr);
        if (!display_) {
            std::fprintf(stderr, "startwatch: cannot open the X display\n");
            std::exit(1);
        }
        XSetErrorHandler(IgnoreXError);
        int error = 0, major = 0, minor = 0;
        if (!XDamageQueryExtension(display_, &damageEvent_, &error)
            || !XTestQueryExtension(display_, &error, &error, &major, &minor)) {
            std::fprintf(stderr, "startwatch: the X server lacks DAMAGE or XTEST\n");
            std::exit(1);
        }
        root_ = DefaultRootWindow(display_);
        pidAtom_ = XInternAtom(display_, "_NET_WM_PID", False);
        protocolsAtom_ = XInternAtom(display_, "WM_PROTOCOLS", False);
        deleteAtom_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
        XSelectInput(display_, root_, SubstructureNotifyMask);
        XSync(display_, False);
    }

    ~Watcher() { XCloseDisplay(display_); }

    int Run()
    {
        const Clock::time_point start = Clock::now();
        if (posix_spawnp(&pid_, options_.command[0], nullptr, nullptr, options_.command, environ) != 0) {
            std::fprintf(stderr, "startwatch: cannot start %s\n", options_.command[0]);
            return 1;
        }

        if (!WaitForPaintedWindow())
            return Fail("no painted window");
        std::printf("startup_ms=%.1f\n", Milliseconds(painted_ - start));

        if (options_.idleSeconds > 0)
            std::printf("idle_cpu_pct=%.4f\n", IdleCpuPercent());

        if (options_.click) {
            Click(*options_.click);
            const Clock::time_point clicked = Clock::now();
            if (!WaitForPaintedWindow())
                return Fail("no painted window after the click");
            std::printf("click_to_painted_ms=%.1f\n", Milliseconds(painted_ - clicked));
            if (options_.idleSeconds > 0)
                std::printf("click_idle_cpu_pct=%.4f\n", IdleCpuPercent());
        }

        RequestClose();
        return WaitForEnd();
    }

private:
    // Waits until a window of the program that was not watched before is viewable and painted.
    bool WaitForPaintedWindow()
    {
        const Clock::time_point deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(options_.timeoutSeconds));
        const Window previous = window_;
        window_ = None;
        damage_ = None;
        // Windows made before the click (the hidden drill windows among them) may be mapped by it.
        for (Window w : candidates_)
            if (w != previous)
                Consider(w);
        while (Clock::now() < deadline) {
            if (window_ != None && IsPainted()) {
                painted_ = Clock::now();
                XDamageDestroy(display_, damage_);
                damage_ = None;
                watched_.insert(window_);
                return true;
            }
            if (!XPending(display_)) {
                int status = 0;
                if (waitpid(pid_, &status, WNOHANG) == pid_) {
                    ended_ = true;
                    return false;
                }
                pollfd fd{ConnectionNumber(display_), POLLIN, 0};
                poll(&fd, 1, 2);
                continue;
            }
            XEvent event;
            XNextEvent(display_, &event);
            switch (event.type) {
            case CreateNotify:
                if (event.xcreatewindow.parent == root_ && !event.xcreatewindow.override_redirect) {
                    XSelectInput(display_, event.xcreatewindow.window, StructureNotifyMask | PropertyChangeMask);
                    candidates_.insert(event.xcreatewindow.window);
                    Consider(event.xcreatewindow.window);
                }
                break;
            case MapNotify:
                Consider(event.xmap.window);
                break;
            case PropertyNotify:
                Consider(event.xproperty.window);
                break;
            case DestroyNotify:
                candidates_.erase(event.xdestroywindow.window);
                break;
            default:
                if (event.type == damageEvent_ + XDamageNotify && damage_ != None)
                    XDamageSubtract(display_, damage_, None, None);
                break;
            }
        }
        return false;
    }

    // Starts watching w when it belongs to the program, is on screen and is new.
    void Consider(Window w)
    {
        if (window_ != None || watched_.count(w) || !candidates_.count(w))
            return;
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display_, w, &attributes) || attributes.map_state != IsViewable)
            return;
        if (WindowPid(w) != pid_)
            return;
        window_ = w;
        attributes_ = attributes;
        damage_ = XDamageCreate(display_, w, XDamageReportNonEmpty);
    }

    long WindowPid(Window w)
    {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        long pid = -1;
        if (XGetWindowProperty(display_, w, pidAtom_, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data)
                == Success
            && data && format == 32 && count == 1)
            pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
        if (data)
            XFree(data);
        return pid;
    }

    bool IsPainted()
    {
        XImage* image = XGetImage(display_, window_, attributes_.width - 3, attributes_.height - 3, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return false;
        const unsigned long pixel = XGetPixel(image, 0, 0);
        const unsigned long masks[3] = {image->red_mask, image->green_mask, image->blue_mask};
        XDestroyImage(image);
        for (int c = 0; c < 3; ++c) {
            if (!masks[c])
                return false;
            const unsigned long value = (pixel & masks[c]) >> __builtin_ctzl(masks[c]);
            if (value != options_.colour[c])
                return false;
        }
        return true;
    }

    // Share of one core that the program takes while nothing happens, after it has settled.
    double IdleCpuPercent()
    {
        std::this_thread::sleep_for(std::chrono::duration<double>(options_.settleSeconds));
        const std::uint64_t before = ProcessCpuNanoseconds(pid_);
        const Clock::time_point from = Clock::now();
        std::this_thread::sleep_for(std::chrono::duration<double>(options_.idleSeconds));
        const std::uint64_t after = ProcessCpuNanoseconds(pid_);
        const double seconds = std::chrono::duration<double>(Clock::now() - from).count();
        return 100.0 * static_cast<double>(after - before) / 1e9 / seconds;
    }

    void Click(std::pair<int, int> at)
    {
        int x = 0, y = 0;
        Window child = None;
        XTranslateCoordinates(display_, window_, root_, at.first, at.second, &x, &y, &child);
        XTestFakeMotionEvent(display_, -1, x, y, 0);
        XSync(display_, False);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        XTestFakeButtonEvent(display_, 1, True, 0);
        XTestFakeButtonEvent(display_, 1, False, 0);
        XSync(display_, False);
    }

    // Asks the window on screen to close, as its title bar's close button does.
    void RequestClose()
    {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window_;
        event.xclient.message_type = protocolsAtom_;
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(deleteAtom_);
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display_, window_, False, NoEventMask, &event);
        XSync(display_, False);
    }

    int WaitForEnd()
    {
        const Clock::time_point deadline = Clock::now() + std::chrono::seconds(10);
        int status = 0;
        rusage usage{};
        while (wait4(pid_, &status, WNOHANG, &usage) != pid_) {
            if (Clock::now() > deadline) {
                kill(pid_, SIGKILL);
                wait4(pid_, &status, 0, &usage);
                std::printf("peak_rss_kib=%ld\n", usage.ru_maxrss);
                return Fail("the program did not end after the close request");
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        std::printf("peak_rss_kib=%ld\n", usage.ru_maxrss);
        std::printf("cpu_ms=%.1f\n", (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
                + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3);
        const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        std::printf("exit_code=%d\n", code);
        return code == 0 ? 0 : 1;
    }

    int Fail(const char* what)
    {
        std::fprintf(stderr, "startwatch: %s: %s\n", options_.command[0], what);
        if (!ended_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        return 1;
    }

    const Options& options_;
    Display* display_ = nullptr;
    Window root_ = None;
    int damageEvent_ = 0;
    Atom pidAtom_ = None, protocolsAtom_ = None, deleteAtom_ = None;
    pid_t pid_ = 0;
    bool ended_ = false;
    std::set<Window> candidates_; // top-level windows made since the start, not yet destroyed
    std::set<Window> watched_;    // windows already timed
    Window window_ = None;        // the window being watched
    XWindowAttributes attributes_{};
    Damage damage_ = None;
    Clock::time_point painted_;
};

} // namespace

int main(int argc, char* argv[])
{
    const Options options = ParseOptions(argc, argv);
    Watcher watcher(options);
    return watcher.Run();
}
