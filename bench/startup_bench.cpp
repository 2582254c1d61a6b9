// Start-up: the picture, sprite and sound set-up in this process, and the real program from its
// launch to its first frame on the screen.
#include "allocations.h"
#include "grimfathom.h"
#include "xdriver.h"

#include <benchmark/benchmark.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

void countAllocations(benchmark::State& state, long allocations)
{
    state.counters["allocs"] = benchmark::Counter(double(allocations), benchmark::Counter::kAvgIterations);
}

// Texture uploads need a current GL context, as they have after the window opens.
void openContextOnce()
{
    static sf::Context context;
}

void BM_LoadPictures(benchmark::State& state)
{
    openContextOnce();
    long before = allocationCount();
    for (auto _ : state)
        loadPictures();
    countAllocations(state, allocationCount() - before);
    if (squidTexture.getSize().x == 0)
        state.SkipWithError("no pictures in ../res/: run from a folder beside res/");
}

void BM_SetUpSprites(benchmark::State& state)
{
    openContextOnce();
    loadPictures();
    long before = allocationCount();
    for (auto _ : state)
        setUpSprites();
    countAllocations(state, allocationCount() - before);
}

void BM_SetUpSounds(benchmark::State& state)
{
    long before = allocationCount();
    for (auto _ : state)
        setUpSounds();
    countAllocations(state, allocationCount() - before);
    if (soundBank["pew"].getSampleCount() == 0)
        state.SkipWithError("no sounds in ../res/: run from a folder beside res/");
}

//
// The real program under the same X server, watched from outside
//

int ignoreXErrors(Display*, XErrorEvent*)
{
    return 0;    // the window may vanish between two requests; the next poll sees that
}

// The game's top-level window once it shows its first frame: until then it is black.
Window shownGameWindow(Display* display)
{
    Window root, parent, *children = nullptr, found = 0;
    unsigned count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 0;
    for (unsigned i = 0; i < count && !found; i++) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name && std::string(name) == "Grimfathom")
            found = children[i];
        if (name)
            XFree(name);
    }
    if (children)
        XFree(children);
    XWindowAttributes attributes;
    if (!found || !XGetWindowAttributes(display, found, &attributes) || attributes.map_state != IsViewable)
        return 0;
    XImage* pixel = XGetImage(display, found, 5, 5, 1, 1, AllPlanes, ZPixmap);
    bool lit = pixel && XGetPixel(pixel, 0, 0) != 0;
    if (pixel)
        XDestroyImage(pixel);
    return lit ? found : 0;
}

pid_t startGame()
{
    pid_t pid = fork();
    if (pid == 0) {
        std::filesystem::current_path(std::filesystem::path(GAME_BINARY).parent_path());
        execl(GAME_BINARY, GAME_BINARY, static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// Waits for the close request to end the game; a game that ignores it is killed.
void stopGame(pid_t pid, Window window)
{
    closeWindow(window);
    for (int tries = 0; tries < 250; tries++) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// Polled every millisecond, so the figure is at most that late.
void BM_StartUpToFirstFrame(benchmark::State& state)
{
    XSetErrorHandler(ignoreXErrors);
    Display* display = XOpenDisplay(nullptr);
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        pid_t pid = startGame();
        Window shown = 0;
        while (!shown && Clock::now() - start < std::chrono::seconds(10)) {
            shown = shownGameWindow(display);
            if (!shown)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        if (!shown) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            state.SkipWithError("the game showed no frame within 10 s");
            break;
        }
        stopGame(pid, shown);
    }
    XCloseDisplay(display);
}

} // namespace

BENCHMARK(BM_LoadPictures)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetUpSprites)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SetUpSounds)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUpToFirstFrame)->Iterations(1)->Repetitions(9)->ReportAggregatesOnly(true)->UseManualTime()->Unit(benchmark::kMillisecond);
