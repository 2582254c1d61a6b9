// Start-up: the picture, sprite and sound set-up in this process, and the real program from its
// launch to its first frame on the screen.
#include "allocations.h"
#include "grimfathom.h"
#include "support.h"
#include "xdriver.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
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

// The game's window once it shows its first frame.
unsigned long firstFrameWindow()
{
    unsigned long window = shownWindow("Grimfathom");
    return window && showsAFrame(window) ? window : 0;
}

// Polled every millisecond, so the figure is at most that late. The game starts in its own
// folder, beside res/.
void BM_StartUpToFirstFrame(benchmark::State& state)
{
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        GameProcess game(std::filesystem::path(GAME_BINARY).parent_path());
        unsigned long shown = 0;
        while (!shown && Clock::now() - start < std::chrono::seconds(10)) {
            shown = firstFrameWindow();
            if (!shown)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        if (!shown) {
            state.SkipWithError("the game showed no frame within 10 s");
            break;
        }
        closeWindow(shown);
        game.waitForExit(5);    // a game that ignores the request is killed as it goes out of scope
    }
}

} // namespace

BENCHMARK(BM_LoadPictures)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetUpSprites)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SetUpSounds)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUpToFirstFrame)->Iterations(1)->Repetitions(9)->ReportAggregatesOnly(true)->UseManualTime()->Unit(benchmark::kMillisecond);
