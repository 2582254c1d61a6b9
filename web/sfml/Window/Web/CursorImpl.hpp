// Cursors in a page: none can be loaded; the page's own cursor stays.
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

#ifndef SFML_CURSORIMPLWEB_HPP
#define SFML_CURSORIMPLWEB_HPP

////////////////////////////////////////////////////////////
// Headers
////////////////////////////////////////////////////////////
#include <SFML/Window/Cursor.hpp>
#include <SFML/System/NonCopyable.hpp>
#include <SFML/System/Vector2.hpp>


namespace sf
{
namespace priv
{
////////////////////////////////////////////////////////////
/// \brief A cursor that never loads
///
////////////////////////////////////////////////////////////
class CursorImpl : NonCopyable
{
public:

    bool loadFromPixels(const Uint8* pixels, Vector2u size, Vector2u hotspot);
    bool loadFromSystem(Cursor::Type type);
};

} // namespace priv

} // namespace sf


#endif // SFML_CURSORIMPLWEB_HPP
