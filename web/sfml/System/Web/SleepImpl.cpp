// Sleeping hands the thread back to the browser, so a program's frame loop can stay as on the desktop.
////////////////////////////////////////////////////////////
//
// SFML - Simple and Fast Multimedia Library: the web platform
// Copyright (C) 2026 The Grimfathom developers
//
// This software is provided 'as-is', without any express or implied warranty.
// In no event will the authors be held liable for any damages arising from the use of this software.
//
// Permission is granted to anyone to use this software for any purpose,
// including commercial applications, and to alter it and redistribute it freely,
// subject to the following restrictions:
//
// 1. The origin of this software must not be misrepresented;
//    you must not claim that you wrote the original software.
//    If you use this software in a product, an acknowledgment
//    in the product documentation would be appreciated but is not required.
//
// 2. Altered source versions must be plainly marked as such,
//    and must not be misrepresented as being the original software.
//
// 3. This notice may not be removed or altered from any source distribution.
//
////////////////////////////////////////////////////////////

////////////////////////////////////////////////////////////
// Headers
////////////////////////////////////////////////////////////
#include <SFML/System/Web/SleepImpl.hpp>
#include <emscripten.h>
#include <algorithm>


namespace sf
{
namespace priv
{
////////////////////////////////////////////////////////////
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
