// Drives a window through Xlib and XTest: the live key state, screenshots, the close request.
#include "xdriver.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

static Display* display()
{
    static Display* connection = XOpenDisplay(nullptr);
    if (!connection)
        throw std::runtime_error("no X display");
    return connection;
}

static void pause(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

static Window searchTree(Window root, const std::string& caption)
{
    Window parent, *children = nullptr;
    Window rootReturn, found = 0;
    unsigned count = 0;
    if (windowCaption(root) == caption)
        return root;
    if (!XQueryTree(display(), root, &rootReturn, &parent, &children, &count))
        return 0;
    for (unsigned i = 0; i < count && !found; i++)
        found = searchTree(children[i], caption);
    if (children)
        XFree(children);
    return found;
}

static int ignoreError(Display*, XErrorEvent*)
{
    return 0;
}

// X errors are ignored while the tree is searched: a window can vanish between two requests,
// as the short-lived ones SFML and Wine open while they start do, and is then simply not found.
unsigned long shownWindow(const std::string& caption)
{
    XSync(display(), False);    // errors of earlier requests stay fatal
    XErrorHandler previous = XSetErrorHandler(ignoreError);
    Window found = searchTree(DefaultRootWindow(display()), caption);
    XWindowAttributes attributes;
    if (found && !(XGetWindowAttributes(display(), found, &attributes) && attributes.map_state == IsViewable))
        found = 0;
    XSync(display(), False);
    XSetErrorHandler(previous);
    return found;
}

unsigned long findWindow(const std::string& caption, double timeoutSeconds)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (unsigned long found = shownWindow(caption))
            return found;
        pause(0.05);
    }
    return 0;
}

std::string windowCaption(unsigned long id)
{
    char* name = nullptr;
    std::string caption;
    if (XFetchName(display(), id, &name) && name)
        caption = name;
    if (name)
        XFree(name);
    return caption;
}

std::string windowClass(unsigned long id)
{
    XClassHint hint = {};
    std::string name;
    if (XGetClassHint(display(), id, &hint) && hint.res_class)
        name = hint.res_class;
    XFree(hint.res_name);
    XFree(hint.res_class);
    return name;
}

// _NET_WM_ICON holds width, height and ARGB pixels, each in a long of its own.
sf::Image windowIcon(unsigned long id)
{
    Atom type;
    int format;
    unsigned long count = 0, left;
    unsigned char* data = nullptr;
    XGetWindowProperty(display(), id, XInternAtom(display(), "_NET_WM_ICON", False), 0, 1 << 20, False,
                       XA_CARDINAL, &type, &format, &count, &left, &data);
    const unsigned long* values = reinterpret_cast<const unsigned long*>(data);
    sf::Image icon;
    if (data && count >= 2 && values[0] * values[1] <= count - 2) {
        sf::Vector2u size{unsigned(values[0]), unsigned(values[1])};
        icon = filledImage(size, sf::Color::Transparent);
        for (unsigned i = 0; i < size.x * size.y; i++) {
            unsigned long argb = values[2 + i];
            setPixelAt(icon, i % size.x, i / size.x,
                       sf::Color(std::uint8_t(argb >> 16), std::uint8_t(argb >> 8), std::uint8_t(argb), std::uint8_t(argb >> 24)));
        }
    }
    if (data)
        XFree(data);
    return icon;
}

sf::Vector2u windowSize(unsigned long id)
{
    XWindowAttributes attributes;
    XGetWindowAttributes(display(), id, &attributes);
    return sf::Vector2u(unsigned(attributes.width), unsigned(attributes.height));
}

// The screen is 24-bit true colour, red in the high byte.
static sf::Color colourOf(unsigned long pixel)
{
    return sf::Color(std::uint8_t(pixel >> 16), std::uint8_t(pixel >> 8), std::uint8_t(pixel));
}

sf::Image screenshot(unsigned long id)
{
    sf::Vector2u size = windowSize(id);
    XImage* shot = XGetImage(display(), id, 0, 0, size.x, size.y, AllPlanes, ZPixmap);
    sf::Image image = filledImage(size, sf::Color::Black);
    for (unsigned y = 0; y < size.y; y++)
        for (unsigned x = 0; x < size.x; x++)
            setPixelAt(image, x, y, colourOf(XGetPixel(shot, int(x), int(y))));
    XDestroyImage(shot);
    return image;
}

sf::Color windowPixel(unsigned long id, unsigned x, unsigned y)
{
    XImage* shot = XGetImage(display(), id, int(x), int(y), 1, 1, AllPlanes, ZPixmap);
    sf::Color colour = colourOf(XGetPixel(shot, 0, 0));
    XDestroyImage(shot);
    return colour;
}

bool showsAFrame(unsigned long id)
{
    return windowPixel(id, 2, 2) != sf::Color::Black;
}

void focusWindow(unsigned long id)
{
    XSetInputFocus(display(), id, RevertToParent, CurrentTime);
    XSync(display(), False);
}

void placeWindow(unsigned long id, int x, int y, unsigned width, unsigned height)
{
    XMoveResizeWindow(display(), id, x, y, width, height);
    XSync(display(), False);
}

void closeWindow(unsigned long id)
{
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = id;
    event.xclient.message_type = XInternAtom(display(), "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display(), "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display(), id, False, NoEventMask, &event);
    XSync(display(), False);
}

static void fakeKey(const std::string& keysym, bool down)
{
    KeyCode code = XKeysymToKeycode(display(), XStringToKeysym(keysym.c_str()));
    if (!code)
        throw std::runtime_error("no key code for " + keysym);
    XTestFakeKeyEvent(display(), code, down, CurrentTime);
    XSync(display(), False);
}

void keyDown(const std::string& keysym) { fakeKey(keysym, true); }
void keyUp(const std::string& keysym) { fakeKey(keysym, false); }

void tapKey(const std::string& keysym)
{
    keyDown(keysym);
    pause(2.0 / 60);
    keyUp(keysym);
}
