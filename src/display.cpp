// Ends start-up with one plain line when there is no X display to open the window on.
#include "grimfathom.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <unistd.h>

// SFML would abort with a core dump while constructing the window; this runs just before.
// The connection stays open: closed, it could leave the X server with no client for a moment,
// and a server that resets then refuses SFML's own connection that follows. _exit, because
// none of the globals built so far needs tearing down.
void requireDisplay()
{
    static Display* display = XOpenDisplay(nullptr);
    if (display)
        return;
    const char* name = XDisplayName(nullptr);
    if (*name)
        std::fprintf(stderr, "Grimfathom needs a graphical display, and the X display \"%s\" could not be opened.\n",
                     name);
    else
        std::fprintf(stderr, "Grimfathom needs a graphical display, and DISPLAY is not set.\n");
    _exit(1);
}
