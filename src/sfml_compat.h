// Where SFML 2 (2.5, 2.6) and SFML 3 differ in a call the game makes: one name for each, serving
// both. The version is tested here and nowhere else in the game; what only the generator and the
// tests call is in tools/sfml_compat_tools.h.
#pragma once

#include <SFML/Audio.hpp>
#include <SFML/Graphics.hpp>

#include <cstdint>
#include <optional>
#include <vector>

// How loud the game's mono sounds play on each stereo channel, as a share of the file's level:
// what SFML 2's OpenAL Soft makes of a sound at the listener's own position, where every one of
// the game's sounds plays. Its stereo output decodes first-order ambisonics, W/2 + X * 0.0552305643
// per channel, and a source straight ahead has X = sqrt(3) W: 0.5957 of the file, -4.50 dB. Its
// distance model leaves a source nearer than the reference distance as it is, and its limiter
// touches only samples at full scale. The sounds were chosen to be heard at that level.
const double soundLevel = 0.5 + 0.0552305643 * 1.7320508;

#if SFML_VERSION_MAJOR >= 3

inline void createWindow(sf::RenderWindow& window, sf::Vector2u size, const sf::String& caption,
                         const sf::ContextSettings& settings = sf::ContextSettings())
{
    window.create(sf::VideoMode(size, 32), caption, sf::Style::Default, sf::State::Windowed, settings);
}

inline std::optional<sf::Event> nextEvent(sf::Window& window) { return window.pollEvent(); }
inline bool isClosed(const sf::Event& event) { return event.is<sf::Event::Closed>(); }
inline bool isFocusLost(const sf::Event& event) { return event.is<sf::Event::FocusLost>(); }
inline std::optional<sf::Keyboard::Key> pressedKey(const sf::Event& event)
{
    if (const auto* pressed = event.getIf<sf::Event::KeyPressed>())
        return pressed->code;
    return std::nullopt;
}

// SFML 3 has no sound bound to nothing: an unbound sound is bound to an empty buffer, which
// plays as silently. Its miniaudio copies a mono sound at the listener to both channels at the
// file's own level, so each sound, made here, is turned down to SFML 2's.
inline sf::Sound unboundSound(const sf::SoundBuffer& nothing)
{
    sf::Sound sound(nothing);
    sound.setVolume(float(100 * soundLevel));
    return sound;
}

// SFML 3 asks where each channel goes; a file knows, and what is made here is mono or stereo.
inline bool loadSamples(sf::SoundBuffer& buffer, const std::vector<std::int16_t>& samples,
                        const sf::InputSoundFile& file)
{
    return buffer.loadFromSamples(samples.data(), samples.size(), file.getChannelCount(), file.getSampleRate(),
                                  file.getChannelMap());
}
inline bool loadSamples(sf::SoundBuffer& buffer, const std::vector<std::int16_t>& samples, unsigned channels,
                        unsigned rate)
{
    using C = sf::SoundChannel;
    std::vector<C> map = channels == 1 ? std::vector<C>{C::Mono} : std::vector<C>{C::FrontLeft, C::FrontRight};
    return buffer.loadFromSamples(samples.data(), samples.size(), channels, rate, map);
}

inline void setWindowIcon(sf::Window& window, const sf::Image& icon) { window.setIcon(icon.getSize(), icon.getPixelsPtr()); }
inline sf::WindowHandle handleOf(const sf::Window& window) { return window.getNativeHandle(); }

inline sf::Color pixelAt(const sf::Image& image, unsigned x, unsigned y) { return image.getPixel({x, y}); }

#else

inline void createWindow(sf::RenderWindow& window, sf::Vector2u size, const sf::String& caption,
                         const sf::ContextSettings& settings = sf::ContextSettings())
{
    window.create(sf::VideoMode(size.x, size.y, 32), caption, sf::Style::Default, settings);
}

inline std::optional<sf::Event> nextEvent(sf::Window& window)
{
    sf::Event event;
    if (window.pollEvent(event))
        return event;
    return std::nullopt;
}
inline bool isClosed(const sf::Event& event) { return event.type == sf::Event::Closed; }
inline bool isFocusLost(const sf::Event& event) { return event.type == sf::Event::LostFocus; }
inline std::optional<sf::Keyboard::Key> pressedKey(const sf::Event& event)
{
    if (event.type == sf::Event::KeyPressed)
        return event.key.code;
    return std::nullopt;
}

inline sf::Sound unboundSound(const sf::SoundBuffer&) { return sf::Sound(); }

inline bool loadSamples(sf::SoundBuffer& buffer, const std::vector<std::int16_t>& samples, unsigned channels,
                        unsigned rate)
{
    return buffer.loadFromSamples(samples.data(), samples.size(), channels, rate);
}
inline bool loadSamples(sf::SoundBuffer& buffer, const std::vector<std::int16_t>& samples,
                        const sf::InputSoundFile& file)
{
    return loadSamples(buffer, samples, file.getChannelCount(), file.getSampleRate());
}

inline void setWindowIcon(sf::Window& window, const sf::Image& icon)
{
    window.setIcon(icon.getSize().x, icon.getSize().y, icon.getPixelsPtr());
}
inline sf::WindowHandle handleOf(const sf::Window& window) { return window.getSystemHandle(); }

inline sf::Color pixelAt(const sf::Image& image, unsigned x, unsigned y) { return image.getPixel(x, y); }

#endif
