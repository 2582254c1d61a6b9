// Sensors in a page: none is available.
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

#ifndef SFML_SENSORIMPLWEB_HPP
#define SFML_SENSORIMPLWEB_HPP

////////////////////////////////////////////////////////////
// Headers
////////////////////////////////////////////////////////////
#include <SFML/Window/Sensor.hpp>


namespace sf
{
namespace priv
{
////////////////////////////////////////////////////////////
/// \brief Sensors as a page has them: none
///
////////////////////////////////////////////////////////////
class SensorImpl
{
public:

    static void initialize();
    static void cleanup();
    static bool isAvailable(Sensor::Type sensor);
    bool open(Sensor::Type sensor);
    void close();
    Vector3f update();
    void setEnabled(bool enabled);
};

} // namespace priv

} // namespace sf


#endif // SFML_SENSORIMPLWEB_HPP
