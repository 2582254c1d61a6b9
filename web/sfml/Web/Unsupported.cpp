// What a page does not offer a program: the system clipboard, cursors, joysticks, sensors.
#include <SFML/Window/ClipboardImpl.hpp>
#include <SFML/Window/CursorImpl.hpp>
#include <SFML/Window/JoystickImpl.hpp>
#include <SFML/Window/SensorImpl.hpp>

namespace sf
{
namespace priv
{
namespace
{
String clipboard;
}

String ClipboardImpl::getString() { return clipboard; }
void ClipboardImpl::setString(const String& text) { clipboard = text; }

bool CursorImpl::loadFromPixels(const Uint8*, Vector2u, Vector2u) { return false; }
bool CursorImpl::loadFromSystem(Cursor::Type) { return false; }

void JoystickImpl::initialize() {}
void JoystickImpl::cleanup() {}
bool JoystickImpl::isConnected(unsigned int) { return false; }
bool JoystickImpl::open(unsigned int) { return false; }
void JoystickImpl::close() {}
JoystickCaps JoystickImpl::getCapabilities() const { return JoystickCaps(); }
Joystick::Identification JoystickImpl::getIdentification() const { return Joystick::Identification(); }
JoystickState JoystickImpl::update() { return JoystickState(); }

void SensorImpl::initialize() {}
void SensorImpl::cleanup() {}
bool SensorImpl::isAvailable(Sensor::Type) { return false; }
bool SensorImpl::open(Sensor::Type) { return false; }
void SensorImpl::close() {}
Vector3f SensorImpl::update() { return Vector3f(); }
void SensorImpl::setEnabled(bool) {}

} // namespace priv
} // namespace sf
