// SFML's window in a page: the canvas with the id "canvas", its key and focus events.
#ifndef SFML_WINDOWIMPLWEB_HPP
#define SFML_WINDOWIMPLWEB_HPP

#include <SFML/Window/WindowImpl.hpp>

#include <emscripten/html5.h>

namespace sf
{
namespace priv
{
// The canvas keeps the size the program asks for; the page may scale what it shows. The
// canvas's focus is the window's: keys reach the program only while the canvas has it.
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
    // Events arrive as the browser delivers them, while the program sleeps.
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

#endif
