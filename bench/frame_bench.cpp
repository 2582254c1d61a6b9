// One frame at scale: rules, removal and drawing with a horde of squids and a salvo of torpedoes,
// then the whole frame with its clear and display, and the allocations each makes.
#include "allocations.h"
#include "grimfathom.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

namespace {

const float dt = 1.0f / 60;
const sf::Color sea(20, 102, 126, 255);
const int salvo = 20;

// The game's own window, pictures and sounds, opened once for the whole run.
void openGameOnce()
{
    static bool open = false;
    if (open)
        return;
    createWindow(window, {800, 600}, sf::String("Grimfathom bench"), sf::ContextSettings{0, 0, 0, 2, 0});
    loadPictures();
    setUpSprites();
    setUpSounds();
    // A fresh context's first draw has Mesa build its shaders: with Mesa 25 that is half a second
    // and tens of thousands of allocations, which belong to no frame measured.
    window.clear(sea);
    drawScene();
    window.display();
    open = true;
}

// Squids fill the right half on a grid, at least 400 px from the submarine at (50, 300);
// torpedoes run between x = 100 and 340, over 100 px short of any squid. One frame moves
// neither far enough to touch, and restoring the places each frame keeps it so.
struct Scene {
    std::vector<Squid> squidsAtStart;
    std::vector<Torpedo> torpedoesAtStart;

    explicit Scene(int squidCount)
    {
        int columns = std::max(1, int(std::sqrt(float(squidCount) * 340.0f / 580.0f)));
        int rows = (squidCount + columns - 1) / columns;
        for (int i = 0; i < squidCount; i++) {
            float x = 450 + 340.0f * float(i % columns) / float(columns);
            float y = 10 + 580.0f * float(i / columns) / float(rows);
            squidsAtStart.push_back(Squid{sf::Vector2f(x, y), false});
        }
        for (int i = 0; i < salvo; i++)
            torpedoesAtStart.push_back(Torpedo{sf::Vector2f(100 + 12.0f * float(i), 20 + 28.0f * float(i)), false});
        phase = Playing;
        level = squidCount;
        submarineSprite.setPosition({50, 300});
        squids = squidsAtStart;
        torpedoes = torpedoesAtStart;
        explosions.clear();
    }

    // Copies over the live lists, which keep their size: nothing is allocated.
    void restore() const
    {
        std::copy(squidsAtStart.begin(), squidsAtStart.end(), squids.begin());
        std::copy(torpedoesAtStart.begin(), torpedoesAtStart.end(), torpedoes.begin());
    }

    // A hit, a catch or a torpedo leaving would mean the frames measured were not the ones meant.
    bool intact() const
    {
        return phase == Playing && squids.size() == squidsAtStart.size() &&
               torpedoes.size() == torpedoesAtStart.size() && explosions.empty();
    }
};

// What the window queued while other benchmarks ran (focus, exposure) belongs to frames that
// never ran; left in, a focus change would pause the game on the first frame measured.
void discardPendingEvents()
{
    while (nextEvent(window)) {
    }
}

void report(benchmark::State& state, const Scene& scene, long allocations)
{
    state.counters["allocs/frame"] = benchmark::Counter(double(allocations), benchmark::Counter::kAvgIterations);
    state.counters["squids"] = double(scene.squidsAtStart.size());
    if (!scene.intact())
        state.SkipWithError("the scene changed: a squid or torpedo hit something");
}

// The frame's calls between clear and display; the display (where llvmpipe does most of its
// rasterising) and the restoring of places are left out of the time.
void BM_UpdateRemoveDraw(benchmark::State& state)
{
    openGameOnce();
    Scene scene(int(state.range(0)));
    long allocations = 0;
    for (auto _ : state) {
        state.PauseTiming();
        scene.restore();
        window.clear(sea);
        state.ResumeTiming();
        long before = allocationCount();
        update(dt);
        removeSpent();
        drawScene();
        allocations += allocationCount() - before;
        state.PauseTiming();
        window.display();
        state.ResumeTiming();
    }
    report(state, scene, allocations);
}

// The rules alone, to tell their share of the frame from the drawing's.
void BM_UpdateRemove(benchmark::State& state)
{
    openGameOnce();
    Scene scene(int(state.range(0)));
    long allocations = 0;
    for (auto _ : state) {
        state.PauseTiming();
        scene.restore();
        state.ResumeTiming();
        long before = allocationCount();
        update(dt);
        removeSpent();
        allocations += allocationCount() - before;
    }
    report(state, scene, allocations);
}

// Everything main's loop does in one frame, but with no frame-rate limit to wait for.
void BM_WholeFrame(benchmark::State& state)
{
    openGameOnce();
    discardPendingEvents();
    Scene scene(int(state.range(0)));
    long allocations = 0;
    for (auto _ : state) {
        state.PauseTiming();
        scene.restore();
        state.ResumeTiming();
        long before = allocationCount();
        while (std::optional<sf::Event> event = nextEvent(window))
            handleEvent(*event);
        update(dt);
        if (phase != GameOver)
            removeSpent();
        window.clear(sea);
        drawScene();
        window.display();
        allocations += allocationCount() - before;
    }
    report(state, scene, allocations);
}

} // namespace

BENCHMARK(BM_UpdateRemoveDraw)->Arg(1)->Arg(100)->Arg(1000)->Arg(10000)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UpdateRemove)->Arg(1)->Arg(100)->Arg(1000)->Arg(10000)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WholeFrame)->Arg(1)->Arg(100)->Arg(1000)->Arg(10000)->UseRealTime()->Unit(benchmark::kMicrosecond);
