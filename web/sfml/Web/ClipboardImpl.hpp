// The clipboard of a page: kept within the program, as a page may not read the system's unasked.
#ifndef SFML_CLIPBOARDIMPLWEB_HPP
#define SFML_CLIPBOARDIMPLWEB_HPP

#include <SFML/System/String.hpp>

namespace sf
{
namespace priv
{
class ClipboardImpl
{
public:
    static String getString();
    static void setString(const String& text);
};

} // namespace priv
} // namespace sf

#endif
