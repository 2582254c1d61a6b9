// SFML's OpenGL context in a page: the canvas's one WebGL context, under emscripten's
// emulation of the OpenGL 1.x calls SFML draws with.
#ifndef SFML_WEBCONTEXT_HPP
#define SFML_WEBCONTEXT_HPP

#include <SFML/Window/GlContext.hpp>

namespace sf
{
namespace priv
{
class WindowImpl;

// A canvas has a single context, so every SFML context, shared, windowed or transient, is that
// one, always current.
class WebContext : public GlContext
{
public:
    explicit WebContext(WebContext* shared);
    WebContext(WebContext* shared, const ContextSettings& settings, const WindowImpl* owner, unsigned int bitsPerPixel);
    WebContext(WebContext* shared, const ContextSettings& settings, unsigned int width, unsigned int height);

    static GlFunctionPointer getFunction(const char* name);

    // Hands the thread to the browser until its next frame, which shows what was drawn.
    virtual void display();
    virtual void setVerticalSyncEnabled(bool enabled);

protected:
    virtual bool makeCurrent(bool current);

private:
    void describeCanvasContext();
};

} // namespace priv
} // namespace sf

#endif
