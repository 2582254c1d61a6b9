// Sleeping hands the thread back to the browser, which draws the page and delivers its events
// meanwhile: a program's frame loop can stay as on the desktop (built with ASYNCIFY).
#include <SFML/System/Unix/SleepImpl.hpp>

#include <emscripten.h>

#include <algorithm>

namespace sf
{
namespace priv
{
// The browser's timers wake a program late, often by a millisecond, and SFML's frame limit
// counts each frame from the end of its sleep: a loop at 60 frames per second would fall
// behind by that much every frame. So each sleep is shortened by how late the one before it
// woke, by 2 ms at most.
void sleepImpl(Time time)
{
    static double late = 0;     // milliseconds
    double asked = std::max(0.0, time.asMicroseconds() / 1000.0 - late);
    double start = emscripten_get_now();
    emscripten_sleep(static_cast<unsigned int>(asked));
    late = std::min(std::max(emscripten_get_now() - start - asked, 0.0), 2.0);
}

} // namespace priv
} // namespace sf
