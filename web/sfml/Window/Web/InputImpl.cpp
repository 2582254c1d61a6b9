// The keys held, as the canvas's key events left them; no mouse or touch.
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
#include <SFML/Window/InputImpl.hpp>


namespace sf
{
namespace priv
{
namespace
{
bool keysHeld[Keyboard::KeyCount] = {};
}


////////////////////////////////////////////////////////////
bool InputImpl::isKeyPressed(Keyboard::Key key)
{
    return key >= 0 && key < Keyboard::KeyCount && keysHeld[key];
}


////////////////////////////////////////////////////////////
void InputImpl::setKeyPressed(Keyboard::Key key, bool pressed)
{
    if (key >= 0 && key < Keyboard::KeyCount)
        keysHeld[key] = pressed;
}


////////////////////////////////////////////////////////////
// The page hears no key going up once the focus has left it.
void InputImpl::releaseAllKeys()
{
    for (bool& held : keysHeld)
        held = false;
}


////////////////////////////////////////////////////////////
void InputImpl::setVirtualKeyboardVisible(bool)
{
}


////////////////////////////////////////////////////////////
bool InputImpl::isMouseButtonPressed(Mouse::Button)
{
    return false;
}


////////////////////////////////////////////////////////////
Vector2i InputImpl::getMousePosition()
{
    return Vector2i();
}


////////////////////////////////////////////////////////////
Vector2i InputImpl::getMousePosition(const Window&)
{
    return Vector2i();
}


////////////////////////////////////////////////////////////
void InputImpl::setMousePosition(const Vector2i&)
{
}


////////////////////////////////////////////////////////////
void InputImpl::setMousePosition(const Vector2i&, const Window&)
{
}


////////////////////////////////////////////////////////////
bool InputImpl::isTouchDown(unsigned int)
{
    return false;
}


////////////////////////////////////////////////////////////
Vector2i InputImpl::getTouchPosition(unsigned int)
{
    return Vector2i();
}


////////////////////////////////////////////////////////////
Vector2i InputImpl::getTouchPosition(unsigned int, const Window&)
{
    return Vector2i();
}

} // namespace priv

} // namespace sf
