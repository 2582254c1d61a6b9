// The canvas's WebGL context, made once through EGL, the one way that turns on Emscripten's OpenGL 1.x emulation.
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
#include <SFML/Window/Web/WebContext.hpp>
#include <EGL/egl.h>
#include <emscripten.h>


namespace
{
// Resolves on the browser's next animation frame; the program sleeps meanwhile (ASYNCIFY).
EM_ASYNC_JS(void, awaitAnimationFrame, (), {
    await new Promise(requestAnimationFrame);
});


// Whether the canvas's context could be made. No alpha, depth or stencil: with alpha the page
// would show through translucent drawing, and SFML's 2D drawing needs neither of the others.
bool makeCanvasContext()
{
    EGLDisplay display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    if (!eglInitialize(display, nullptr, nullptr))
        return false;
    const EGLint attributes[] = {EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 0,
                                 EGL_DEPTH_SIZE, 0, EGL_STENCIL_SIZE, 0, EGL_NONE};
    EGLConfig config;
    EGLint count = 0;
    if (!eglChooseConfig(display, attributes, &config, 1, &count) || count == 0)
        return false;
    EGLSurface surface = eglCreateWindowSurface(display, config, 0, nullptr);
    const EGLint version[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};   // WebGL 1
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, version);
    return context != EGL_NO_CONTEXT && eglMakeCurrent(display, surface, surface, context);
}


bool canvasContextMade()
{
    static const bool made = makeCanvasContext();
    return made;
}
}


namespace sf
{
namespace priv
{
////////////////////////////////////////////////////////////
WebContext::WebContext(WebContext*)
{
    describeCanvasContext();
}


////////////////////////////////////////////////////////////
WebContext::WebContext(WebContext*, const ContextSettings&, const WindowImpl*, unsigned int)
{
    describeCanvasContext();
}


////////////////////////////////////////////////////////////
WebContext::WebContext(WebContext*, const ContextSettings&, unsigned int, unsigned int)
{
    describeCanvasContext();
}


////////////////////////////////////////////////////////////
// What was asked for does not matter: the one context is as makeCanvasContext made it.
// SFML reads the OpenGL version from the context itself.
void WebContext::describeCanvasContext()
{
    canvasContextMade();
    m_settings.depthBits = 0;
    m_settings.stencilBits = 0;
    m_settings.antialiasingLevel = 0;
    m_settings.sRgbCapable = false;
}


////////////////////////////////////////////////////////////
GlFunctionPointer WebContext::getFunction(const char* name)
{
    return reinterpret_cast<GlFunctionPointer>(eglGetProcAddress(name));
}


////////////////////////////////////////////////////////////
bool WebContext::makeCurrent(bool)
{
    return canvasContextMade();
}


////////////////////////////////////////////////////////////
void WebContext::display()
{
    awaitAnimationFrame();
}


////////////////////////////////////////////////////////////
// The browser shows a page's frames in step with the screen in any case.
void WebContext::setVerticalSyncEnabled(bool)
{
}

} // namespace priv

} // namespace sf
