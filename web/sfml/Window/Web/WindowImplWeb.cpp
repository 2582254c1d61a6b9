// The canvas as SFML's window: its size, its key events, and its focus as the window's.
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
#include <SFML/Window/Web/WindowImplWeb.hpp>
#include <SFML/Window/InputImpl.hpp>
#include <emscripten.h>
#include <cstdlib>
#include <cstring>


namespace
{
// The canvas, as Emscripten's event functions and the page's scripts find it; it is the
// window's system handle too.
const char* const canvas = "#canvas";

struct NamedKey
{
    const char* code;
    sf::Keyboard::Key key;
};

// KeyboardEvent.code names a key by its place on the keyboard, whatever the layout, as SFML's
// keys do; letters, digits and function keys are counted out in keyFromCode.
const NamedKey namedKeys[] = {
    {"Escape", sf::Keyboard::Escape},
    {"ControlLeft", sf::Keyboard::LControl},
    {"ShiftLeft", sf::Keyboard::LShift},
    {"AltLeft", sf::Keyboard::LAlt},
    {"MetaLeft", sf::Keyboard::LSystem},
    {"ControlRight", sf::Keyboard::RControl},
    {"ShiftRight", sf::Keyboard::RShift},
    {"AltRight", sf::Keyboard::RAlt},
    {"MetaRight", sf::Keyboard::RSystem},
    {"ContextMenu", sf::Keyboard::Menu},
    {"BracketLeft", sf::Keyboard::LBracket},
    {"BracketRight", sf::Keyboard::RBracket},
    {"Semicolon", sf::Keyboard::Semicolon},
    {"Comma", sf::Keyboard::Comma},
    {"Period", sf::Keyboard::Period},
    {"Quote", sf::Keyboard::Quote},
    {"Slash", sf::Keyboard::Slash},
    {"Backslash", sf::Keyboard::Backslash},
    {"Backquote", sf::Keyboard::Tilde},
    {"Equal", sf::Keyboard::Equal},
    {"Minus", sf::Keyboard::Hyphen},
    {"Space", sf::Keyboard::Space},
    {"Enter", sf::Keyboard::Enter},
    {"NumpadEnter", sf::Keyboard::Enter},
    {"Backspace", sf::Keyboard::Backspace},
    {"Tab", sf::Keyboard::Tab},
    {"PageUp", sf::Keyboard::PageUp},
    {"PageDown", sf::Keyboard::PageDown},
    {"End", sf::Keyboard::End},
    {"Home", sf::Keyboard::Home},
    {"Insert", sf::Keyboard::Insert},
    {"Delete", sf::Keyboard::Delete},
    {"NumpadAdd", sf::Keyboard::Add},
    {"NumpadSubtract", sf::Keyboard::Subtract},
    {"NumpadMultiply", sf::Keyboard::Multiply},
    {"NumpadDivide", sf::Keyboard::Divide},
    {"ArrowLeft", sf::Keyboard::Left},
    {"ArrowRight", sf::Keyboard::Right},
    {"ArrowUp", sf::Keyboard::Up},
    {"ArrowDown", sf::Keyboard::Down},
    {"Pause", sf::Keyboard::Pause},
};


// The key of the code's prefix plus the number that follows it, if the code is prefix and
// one of count consecutive numbers from first.
bool counted(const char* code, const char* prefix, int first, int count, sf::Keyboard::Key firstKey,
             sf::Keyboard::Key& key)
{
    std::size_t length = std::strlen(prefix);
    if (std::strncmp(code, prefix, length) != 0 || code[length] < '0' || code[length] > '9')
        return false;
    int number = std::atoi(code + length);
    if (number < first || number >= first + count)
        return false;
    key = static_cast<sf::Keyboard::Key>(firstKey + number - first);
    return true;
}


sf::Keyboard::Key keyFromCode(const char* code)
{
    sf::Keyboard::Key key = sf::Keyboard::Unknown;
    if (std::strncmp(code, "Key", 3) == 0 && code[3] >= 'A' && code[3] <= 'Z' && code[4] == '\0')
        return static_cast<sf::Keyboard::Key>(sf::Keyboard::A + (code[3] - 'A'));
    if (counted(code, "Digit", 0, 10, sf::Keyboard::Num0, key) || counted(code, "Numpad", 0, 10, sf::Keyboard::Numpad0, key)
        || counted(code, "F", 1, 15, sf::Keyboard::F1, key))
        return key;
    for (const NamedKey& named : namedKeys)
        if (std::strcmp(code, named.code) == 0)
            return named.key;
    return key;
}


// The browser keeps its own shortcuts: those with Control, Alt or Meta, and the function keys.
bool browserKeeps(const EmscriptenKeyboardEvent& event, sf::Keyboard::Key key)
{
    return event.ctrlKey || event.altKey || event.metaKey || (key >= sf::Keyboard::F1 && key <= sf::Keyboard::F15);
}
}


namespace sf
{
namespace priv
{
////////////////////////////////////////////////////////////
WindowImplWeb::WindowImplWeb(WindowHandle) :
m_keyRepeat(true),
m_hasFocus(false)
{
    listen();
}


////////////////////////////////////////////////////////////
WindowImplWeb::WindowImplWeb(VideoMode mode, const String& title, Uint32, const ContextSettings&) :
m_keyRepeat(true),
m_hasFocus(false)
{
    setSize(Vector2u(mode.width, mode.height));
    setTitle(title);
    listen();
}


////////////////////////////////////////////////////////////
// Only the window's own listeners go: the page's stay.
WindowImplWeb::~WindowImplWeb()
{
    emscripten_set_keydown_callback(canvas, nullptr, true, nullptr);
    emscripten_set_keyup_callback(canvas, nullptr, true, nullptr);
    emscripten_set_focus_callback(canvas, nullptr, true, nullptr);
    emscripten_set_blur_callback(canvas, nullptr, true, nullptr);
}


////////////////////////////////////////////////////////////
// The canvas may already hold the focus: the page gives it on the player's first key or touch.
void WindowImplWeb::listen()
{
    emscripten_set_keydown_callback(canvas, this, true, &WindowImplWeb::onKey);
    emscripten_set_keyup_callback(canvas, this, true, &WindowImplWeb::onKey);
    emscripten_set_focus_callback(canvas, this, true, &WindowImplWeb::onFocus);
    emscripten_set_blur_callback(canvas, this, true, &WindowImplWeb::onFocus);
    m_hasFocus = EM_ASM_INT({ return document.activeElement === document.querySelector(UTF8ToString($0)) && document.hasFocus(); },
                            canvas);
}


////////////////////////////////////////////////////////////
// A key the program knows is the program's: it neither scrolls nor types in the page.
EM_BOOL WindowImplWeb::onKey(int type, const EmscriptenKeyboardEvent* event, void* window)
{
    WindowImplWeb& self = *static_cast<WindowImplWeb*>(window);
    Keyboard::Key key = keyFromCode(event->code);
    if (key == Keyboard::Unknown)
        return EM_FALSE;
    bool pressed = type == EMSCRIPTEN_EVENT_KEYDOWN;
    InputImpl::setKeyPressed(key, pressed);
    if (!event->repeat || self.m_keyRepeat)
    {
        Event keyEvent;
        keyEvent.type = pressed ? Event::KeyPressed : Event::KeyReleased;
        keyEvent.key.code = key;
        keyEvent.key.alt = event->altKey;
        keyEvent.key.control = event->ctrlKey;
        keyEvent.key.shift = event->shiftKey;
        keyEvent.key.system = event->metaKey;
        self.pushEvent(keyEvent);
    }
    return browserKeeps(*event, key) ? EM_FALSE : EM_TRUE;
}


////////////////////////////////////////////////////////////
// The canvas loses the focus to another tab, another window, or a touch or click elsewhere in the page.
EM_BOOL WindowImplWeb::onFocus(int type, const EmscriptenFocusEvent*, void* window)
{
    WindowImplWeb& self = *static_cast<WindowImplWeb*>(window);
    self.m_hasFocus = type == EMSCRIPTEN_EVENT_FOCUS;
    if (!self.m_hasFocus)
        InputImpl::releaseAllKeys();
    Event focusEvent;
    focusEvent.type = self.m_hasFocus ? Event::GainedFocus : Event::LostFocus;
    self.pushEvent(focusEvent);
    return EM_FALSE;
}


////////////////////////////////////////////////////////////
void WindowImplWeb::processEvents()
{
}


////////////////////////////////////////////////////////////
WindowHandle WindowImplWeb::getSystemHandle() const
{
    return const_cast<char*>(canvas);
}


////////////////////////////////////////////////////////////
Vector2i WindowImplWeb::getPosition() const
{
    return Vector2i();
}


////////////////////////////////////////////////////////////
void WindowImplWeb::setPosition(const Vector2i&)
{
}


////////////////////////////////////////////////////////////
Vector2u WindowImplWeb::getSize() const
{
    int width = 0;
    int height = 0;
    emscripten_get_canvas_element_size(canvas, &width, &height);
    return Vector2u(static_cast<unsigned int>(width), static_cast<unsigned int>(height));
}


////////////////////////////////////////////////////////////
void WindowImplWeb::setSize(const Vector2u& size)
{
    emscripten_set_canvas_element_size(canvas, static_cast<int>(size.x), static_cast<int>(size.y));
}


////////////////////////////////////////////////////////////
void WindowImplWeb::setTitle(const String& title)
{
    EM_ASM({ document.title = UTF8ToString($0); }, title.toUtf8().c_str());
}


////////////////////////////////////////////////////////////
// The page has its own icon.
void WindowImplWeb::setIcon(unsigned int, unsigned int, const Uint8*)
{
}


////////////////////////////////////////////////////////////
// The canvas is always shown with the page.
void WindowImplWeb::setVisible(bool)
{
}


////////////////////////////////////////////////////////////
void WindowImplWeb::setMouseCursorVisible(bool visible)
{
    EM_ASM({ document.querySelector(UTF8ToString($0)).style.cursor = $1 ? "" : "none"; }, canvas, visible);
}


////////////////////////////////////////////////////////////
void WindowImplWeb::setMouseCursorGrabbed(bool)
{
}


////////////////////////////////////////////////////////////
void WindowImplWeb::setMouseCursor(const CursorImpl&)
{
}


////////////////////////////////////////////////////////////
void WindowImplWeb::setKeyRepeatEnabled(bool enabled)
{
    m_keyRepeat = enabled;
}


////////////////////////////////////////////////////////////
void WindowImplWeb::requestFocus()
{
    EM_ASM({ document.querySelector(UTF8ToString($0)).focus(); }, canvas);
}


////////////////////////////////////////////////////////////
bool WindowImplWeb::hasFocus() const
{
    return m_hasFocus;
}

} // namespace priv

} // namespace sf
