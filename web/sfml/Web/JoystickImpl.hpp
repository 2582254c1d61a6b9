// Joysticks in a page: none is ever connected.
#ifndef SFML_JOYSTICKIMPLWEB_HPP
#define SFML_JOYSTICKIMPLWEB_HPP

namespace sf
{
namespace priv
{
class JoystickImpl
{
public:
    static void initialize();
    static void cleanup();
    static bool isConnected(unsigned int index);
    bool open(unsigned int index);
    void close();
    JoystickCaps getCapabilities() const;
    Joystick::Identification getIdentification() const;
    JoystickState update();
};

} // namespace priv
} // namespace sf

#endif
