// The keyboard as the page reports it: the keys held, kept from the canvas's key events.
#ifndef SFML_INPUTIMPLWEB_HPP
#define SFML_INPUTIMPLWEB_HPP

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>
#include <SFML/Window/Touch.hpp>
#include <SFML/Window/Window.hpp>
#include <SFML/System/Vector2.hpp>

namespace sf
{
namespace priv
{
// A browser tells a page only about the keys pressed while it has the focus, so the state
// held here is what the canvas has seen; the mouse and touch are not followed.
class InputImpl
{
public:
    static bool isKeyPressed(Keyboard::Key key);
    static void setVirtualKeyboardVisible(bool visible);
    static bool isMouseButtonPressed(Mouse::Button button);
    static Vector2i getMousePosition();
    static Vector2i getMousePosition(const Window& relativeTo);
    static void setMousePosition(const Vector2i& position);
    static void setMousePosition(const Vector2i& position, const Window& relativeTo);
    static bool isTouchDown(unsigned int finger);
    static Vector2i getTouchPosition(unsigned int finger);
    static Vector2i getTouchPosition(unsigned int finger, const Window& relativeTo);

    // Called by the window on the canvas's key events, and when it loses the focus.
    static void setKeyPressed(Keyboard::Key key, bool pressed);
    static void releaseAllKeys();
};

} // namespace priv
} // namespace sf

#endif
