// The keyboard as the page reports it: the keys held, kept from the canvas's key events.
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

#ifndef SFML_INPUTIMPLWEB_HPP
#define SFML_INPUTIMPLWEB_HPP

////////////////////////////////////////////////////////////
// Headers
////////////////////////////////////////////////////////////
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>
#include <SFML/Window/Touch.hpp>
#include <SFML/Window/Window.hpp>
#include <SFML/System/Vector2.hpp>


namespace sf
{
namespace priv
{
////////////////////////////////////////////////////////////
/// \brief The keys the canvas has seen held
///
/// A browser tells a page only about the keys pressed while
/// it has the focus, so the state held here is what the
/// canvas has seen; the mouse and touch are not followed.
///
////////////////////////////////////////////////////////////
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

    ////////////////////////////////////////////////////////////
    /// \brief Called by the window on the canvas's key events
    ///
    ////////////////////////////////////////////////////////////
    static void setKeyPressed(Keyboard::Key key, bool pressed);

    ////////////////////////////////////////////////////////////
    /// \brief Called by the window when the canvas loses the focus
    ///
    ////////////////////////////////////////////////////////////
    static void releaseAllKeys();
};

} // namespace priv

} // namespace sf


#endif // SFML_INPUTIMPLWEB_HPP
