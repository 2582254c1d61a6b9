// Sensors in a page: none is available.
#ifndef SFML_SENSORIMPLWEB_HPP
#define SFML_SENSORIMPLWEB_HPP

#include <SFML/Window/Sensor.hpp>

namespace sf
{
namespace priv
{
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

#endif
