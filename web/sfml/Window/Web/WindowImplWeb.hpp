// SFML's window in a page: the canvas with the id "canvas", its key and focus events.
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

#ifndef SFML_WINDOWIMPLWEB_HPP
#define SFML_WINDOWIMPLWEB_HPP

////////////////////////////////////////////////////////////
// Headers
////////////////////////////////////////////////////////////
#include <SFML/Window/WindowImpl.hpp>
#include <emscripten/html5.h>


namespace sf
{
namespace priv
{
////////////////////////////////////////////////////////////
/// \brief The page's canvas as SFML's window
///
/// The canvas keeps the size the program asks for; the page
/// may scale what it shows. The canvas's focus is the window's:
/// keys reach the program only while the canvas has it.
///
////////////////////////////////////////////////////////////
class WindowImplWeb : public WindowImpl
{
public:

    explicit WindowImplWeb(WindowHandle handle);
    WindowImplWeb(VideoMode mode, const String& title, Uint32 style, const ContextSettings& settings);
    ~WindowImplWeb();

    virtual WindowHandle getSystemHandle() const;
    virtual Vector2i getPosition() const;
    virtual void setPosition(const Vector2i& position);
    virtual Vector2u getSize() const;
    virtual void setSize(const Vector2u& size);
    virtual void setTitle(const String& title);
    virtual void setIcon(unsigned int width, unsigned int height, const Uint8* pixels);
    virtual void setVisible(bool visible);
    virtual void setMouseCursorVisible(bool visible);
    virtual void setMouseCursorGrabbed(bool grabbed);
    virtual void setMouseCursor(const CursorImpl& cursor);
    virtual void setKeyRepeatEnabled(bool enabled);
    virtual void requestFocus();
    virtual bool hasFocus() const;

protected:

    ////////////////////////////////////////////////////////////
    /// \brief Nothing to do: events arrive as the browser delivers them, while the program sleeps
    ///
    ////////////////////////////////////////////////////////////
    virtual void processEvents();

private:

    void listen();
    static EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* event, void* window);
    static EM_BOOL onFocus(int type, const EmscriptenFocusEvent* event, void* window);

    bool m_keyRepeat;
    bool m_hasFocus;
};

} // namespace priv

} // namespace sf


#endif // SFML_WINDOWIMPLWEB_HPP
