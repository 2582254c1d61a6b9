// Cursors in a page: none can be loaded; the page's own cursor stays.
#ifndef SFML_CURSORIMPLWEB_HPP
#define SFML_CURSORIMPLWEB_HPP

#include <SFML/Window/Cursor.hpp>
#include <SFML/System/NonCopyable.hpp>
#include <SFML/System/Vector2.hpp>

namespace sf
{
namespace priv
{
class CursorImpl : NonCopyable
{
public:
    bool loadFromPixels(const Uint8* pixels, Vector2u size, Vector2u hotspot);
    bool loadFromSystem(Cursor::Type type);
};

} // namespace priv
} // namespace sf

#endif
