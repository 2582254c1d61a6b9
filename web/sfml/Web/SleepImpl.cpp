// Sleeping hands the thread back to the browser, which draws the page and delivers its events
// meanwhile: a program's frame loop can stay as on the desktop (built with ASYNCIFY).
#include <SFML/System/Unix/SleepImpl.hpp>

#include <emscripten.h>

namespace sf
{
namespace priv
{
// Whole milliseconds, rounded down: the browser's timers come late rather than early.
void sleepImpl(Time time)
{
    emscripten_sleep(static_cast<unsigned int>(time.asMicroseconds() / 1000));
}

} // namespace priv
} // namespace sf
