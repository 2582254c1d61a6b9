// The one video mode a page has: the screen it is shown on.
#include <SFML/Window/VideoModeImpl.hpp>

#include <emscripten/html5.h>

namespace sf
{
namespace priv
{
VideoMode VideoModeImpl::getDesktopMode()
{
    int width = 0;
    int height = 0;
    emscripten_get_screen_size(&width, &height);
    return VideoMode(static_cast<unsigned int>(width), static_cast<unsigned int>(height));
}

std::vector<VideoMode> VideoModeImpl::getFullscreenModes()
{
    return std::vector<VideoMode>(1, getDesktopMode());
}

} // namespace priv
} // namespace sf
