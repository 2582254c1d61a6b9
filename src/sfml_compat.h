// Where SFML 2 (2.5, 2.6) and SFML 3 differ in a call the game makes: one name for each, serving
// both. The version is tested here and nowhere else in the game; what only the generator and the
// tests call is in tools/sfml_compat_tools.h.
#pragma once

#include <SFML/Audio.hpp>
#include <SFML/Graphics.hpp>

#include <cstdint>
#include <optional>
#include <vector>

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
// plays as silently.
inline sf::Sound unboundSound(const sf::SoundBuffer& nothing) { return sf::Sound(nothing); }

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
