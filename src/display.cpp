// What the game asks of X11 itself: one plain line when there is no display to open the window
// on, and the window's icon where docks and task switchers look for it.
#include "grimfathom.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdint>
#include <cstdio>
#include <unistd.h>
#include <vector>

// Opened by openDisplay() during the globals' construction (displayOpen), and used by this file alone.
static Display* connection = nullptr;

// SFML would abort with a core dump while constructing the window; this runs just before.
// The connection stays open, for the icon, and because closed it could leave the X server with no
// client for a moment, and a server that resets then refuses SFML's own connection that follows.
// _exit, because none of the globals built so far needs tearing down.
void openDisplay()
{
    connection = XOpenDisplay(nullptr);
    if (connection)
        return;
    const char* name = XDisplayName(nullptr);
    if (*name)
        std::fprintf(stderr, "Grimfathom needs a graphical display, and the X display \"%s\" could not be opened.\n",
                     name);
    else
        std::fprintf(stderr, "Grimfathom needs a graphical display, and DISPLAY is not set.\n");
    _exit(1);
}

// SFML 3 gives X11 the icon only as a bitmap in WM_HINTS, which docks and task switchers pass
// over; SFML 2 also sets _NET_WM_ICON, as this does on both: width, height, then ARGB pixels, a
// long each.
void setDockIcon(const sf::Image& icon)
{
    sf::WindowHandle windowId = handleOf(window);
    sf::Vector2u size = icon.getSize();
    std::vector<unsigned long> property = {size.x, size.y};
    for (unsigned y = 0; y < size.y; y++)
        for (unsigned x = 0; x < size.x; x++) {
            sf::Color c = pixelAt(icon, x, y);
            property.push_back(std::uint32_t(c.a) << 24 | std::uint32_t(c.r) << 16 | std::uint32_t(c.g) << 8 | c.b);
        }
    XChangeProperty(connection, windowId, XInternAtom(connection, "_NET_WM_ICON", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(property.data()), int(property.size()));
    XFlush(connection);
}
