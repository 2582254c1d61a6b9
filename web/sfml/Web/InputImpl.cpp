// The keys held, as the canvas's key events left them; no mouse or touch.
#include <SFML/Window/InputImpl.hpp>

namespace sf
{
namespace priv
{
namespace
{
bool keysHeld[Keyboard::KeyCount] = {};
}

bool InputImpl::isKeyPressed(Keyboard::Key key)
{
    return key >= 0 && key < Keyboard::KeyCount && keysHeld[key];
}

void InputImpl::setKeyPressed(Keyboard::Key key, bool pressed)
{
    if (key >= 0 && key < Keyboard::KeyCount)
        keysHeld[key] = pressed;
}

// The page hears no key going up once the focus has left it.
void InputImpl::releaseAllKeys()
{
    for (bool& held : keysHeld)
        held = false;
}

void InputImpl::setVirtualKeyboardVisible(bool) {}
bool InputImpl::isMouseButtonPressed(Mouse::Button) { return false; }
Vector2i InputImpl::getMousePosition() { return Vector2i(); }
Vector2i InputImpl::getMousePosition(const Window&) { return Vector2i(); }
void InputImpl::setMousePosition(const Vector2i&) {}
void InputImpl::setMousePosition(const Vector2i&, const Window&) {}
bool InputImpl::isTouchDown(unsigned int) { return false; }
Vector2i InputImpl::getTouchPosition(unsigned int) { return Vector2i(); }
Vector2i InputImpl::getTouchPosition(unsigned int, const Window&) { return Vector2i(); }

} // namespace priv
} // namespace sf
