// SFML's OpenGL context in a page: the canvas's one WebGL context, under Emscripten's emulation of OpenGL 1.x.
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

#ifndef SFML_WEBCONTEXT_HPP
#define SFML_WEBCONTEXT_HPP

////////////////////////////////////////////////////////////
// Headers
////////////////////////////////////////////////////////////
#include <SFML/Window/GlContext.hpp>


namespace sf
{
namespace priv
{
class WindowImpl;

////////////////////////////////////////////////////////////
/// \brief The canvas's WebGL context as every SFML context
///
/// A canvas has a single context, so every SFML context,
/// shared, windowed or transient, is that one, always current.
///
////////////////////////////////////////////////////////////
class WebContext : public GlContext
{
public:

    explicit WebContext(WebContext* shared);
    WebContext(WebContext* shared, const ContextSettings& settings, const WindowImpl* owner, unsigned int bitsPerPixel);
    WebContext(WebContext* shared, const ContextSettings& settings, unsigned int width, unsigned int height);

    static GlFunctionPointer getFunction(const char* name);

    ////////////////////////////////////////////////////////////
    /// \brief Hand the thread to the browser until its next frame, which shows what was drawn
    ///
    ////////////////////////////////////////////////////////////
    virtual void display();

    virtual void setVerticalSyncEnabled(bool enabled);

protected:

    virtual bool makeCurrent(bool current);

private:

    void describeCanvasContext();
};

} // namespace priv

} // namespace sf


#endif // SFML_WEBCONTEXT_HPP
