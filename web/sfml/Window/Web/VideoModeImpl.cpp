// The one video mode a page has: the screen it is shown on.
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
#include <SFML/Window/VideoModeImpl.hpp>
#include <emscripten/html5.h>


namespace sf
{
namespace priv
{
////////////////////////////////////////////////////////////
std::vector<VideoMode> VideoModeImpl::getFullscreenModes()
{
    return std::vector<VideoMode>(1, getDesktopMode());
}


////////////////////////////////////////////////////////////
VideoMode VideoModeImpl::getDesktopMode()
{
    int width = 0;
    int height = 0;
    emscripten_get_screen_size(&width, &height);
    return VideoMode(static_cast<unsigned int>(width), static_cast<unsigned int>(height));
}

} // namespace priv

} // namespace sf
