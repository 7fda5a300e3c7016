// Starts a program and measures how long it takes until the pixel at the
// centre of the screen shows a given colour: for the game, the moment its
// title picture is on screen. Prints the milliseconds of wall time, then the
// processor time the program's threads had used by then (which the load of
// a shared machine disturbs less), and ends the program.
// Usage: title_watch R G B program [arguments...]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <dirent.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {

const int tolerance = 6;
const double giveUpSeconds = 30.0;

bool near(unsigned long pixel, const int rgb[3]) {
    const int seen[3] = {int((pixel >> 16) & 0xFF), int((pixel >> 8) & 0xFF), int(pixel & 0xFF)};
    for (int c = 0; c < 3; ++c) {
        if (std::abs(seen[c] - rgb[c]) > tolerance) {
            return false;
        }
    }
    return true;
}

unsigned long centrePixel(Display* display) {
    const Window root = DefaultRootWindow(display);
    const int x = DisplayWidth(display, DefaultScreen(display)) / 2;
    const int y = DisplayHeight(display, DefaultScreen(display)) / 2;
    XImage* const image = XGetImage(display, root, x, y, 1, 1, AllPlanes, ZPixmap);
    const unsigned long pixel = image != nullptr ? XGetPixel(image, 0, 0) : 0;
    if (image != nullptr) {
        XDestroyImage(image);
    }
    return pixel;
}

// Nanoseconds on the processor over all threads of process `pid`.
double cpuMilliseconds(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* const dir = opendir(tasks.c_str());
    if (dir == nullptr) {
        return 0;
    }
    double nanoseconds = 0;
    while (const dirent* const entry = readdir(dir)) {
        std::ifstream schedstat(tasks + "/" + entry->d_name + "/schedstat");
        double running = 0;
        if (entry->d_name[0] != '.' && schedstat >> running) {
            nanoseconds += running;
        }
    }
    closedir(dir);
    return nanoseconds / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: title_watch R G B program [arguments...]\n");
        return 2;
    }
    const int rgb[3] = {std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3])};
    Display* const display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "title_watch: cannot open display\n");
        return 1;
    }
    if (near(centrePixel(display), rgb)) {
        std::fprintf(stderr, "title_watch: the screen shows the colour before the start\n");
        return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[4], argv + 4);
        std::perror("title_watch: exec");
        _exit(127);
    }
    int status = 1;
    for (;;) {
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (near(centrePixel(display), rgb)) {
            std::printf("%.1f %.1f\n", seconds * 1000.0, cpuMilliseconds(child));
            status = 0;
            break;
        }
        if (seconds > giveUpSeconds || waitpid(child, nullptr, WNOHANG) == child) {
            std::fprintf(stderr, "title_watch: the colour never showed\n");
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return status;
}
