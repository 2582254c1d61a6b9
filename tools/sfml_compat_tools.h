// Where SFML 2 (2.5, 2.6) and SFML 3 differ in a call that only the generator and the tests make:
// one name for each, serving both, beside the game's own in src/sfml_compat.h. The version is
// tested here once for these, as it is there once for the game's.
#pragma once

#include "sfml_compat.h"

#include <optional>

// The events the tests hand to the game: the three it acts on and a few it must ignore.
enum class EventKind { Closed, FocusLost, FocusGained, KeyPressed, KeyReleased, Resized, TextEntered, MouseButtonPressed };

#if SFML_VERSION_MAJOR >= 3

// What SFML logs when miniaudio opens no sound device, and every sound plays silent.
constexpr const char* noSoundDeviceMessage = "Failed to initialize the audio playback device";

inline const sf::SoundBuffer* bufferOf(const sf::Sound& sound) { return &sound.getBuffer(); }

inline sf::Image filledImage(sf::Vector2u size, sf::Color colour) { return sf::Image(size, colour); }
inline void drawOver(sf::Image& image, const sf::Image& picture, sf::Vector2u at) { (void)image.copy(picture, at, {}, true); }
inline void setPixelAt(sf::Image& image, unsigned x, unsigned y, sf::Color colour) { image.setPixel({x, y}, colour); }
inline sf::Vector2i topLeft(const sf::IntRect& rect) { return rect.position; }
inline sf::Vector2i sizeOf(const sf::IntRect& rect) { return rect.size; }
inline std::optional<sf::IntRect> overlap(const sf::IntRect& a, const sf::IntRect& b) { return a.findIntersection(b); }

inline sf::Image readBack(const sf::RenderWindow& shown)
{
    sf::Texture texture(shown.getSize());
    texture.update(shown);
    return texture.copyToImage();
}

inline sf::Event makeEvent(EventKind kind, sf::Keyboard::Key key = sf::Keyboard::Key::Unknown)
{
    switch (kind) {
    case EventKind::Closed: return sf::Event::Closed{};
    case EventKind::FocusLost: return sf::Event::FocusLost{};
    case EventKind::FocusGained: return sf::Event::FocusGained{};
    case EventKind::KeyPressed: { sf::Event::KeyPressed pressed{}; pressed.code = key; return pressed; }
    case EventKind::KeyReleased: { sf::Event::KeyReleased released{}; released.code = key; return released; }
    case EventKind::Resized: return sf::Event::Resized{};
    case EventKind::TextEntered: return sf::Event::TextEntered{};
    case EventKind::MouseButtonPressed: return sf::Event::MouseButtonPressed{};
    }
    return sf::Event::Closed{};
}

#else

// What SFML logs when OpenAL Soft finds no sound device, and every sound plays silent.
constexpr const char* noSoundDeviceMessage = "Failed to open the audio device";

inline const sf::SoundBuffer* bufferOf(const sf::Sound& sound) { return sound.getBuffer(); }

inline sf::Image filledImage(sf::Vector2u size, sf::Color colour)
{
    sf::Image image;
    image.create(size.x, size.y, colour);
    return image;
}
inline void drawOver(sf::Image& image, const sf::Image& picture, sf::Vector2u at)
{
    image.copy(picture, at.x, at.y, sf::IntRect(), true);
}
inline void setPixelAt(sf::Image& image, unsigned x, unsigned y, sf::Color colour) { image.setPixel(x, y, colour); }
inline sf::Vector2i topLeft(const sf::IntRect& rect) { return {rect.left, rect.top}; }
inline sf::Vector2i sizeOf(const sf::IntRect& rect) { return {rect.width, rect.height}; }
inline std::optional<sf::IntRect> overlap(const sf::IntRect& a, const sf::IntRect& b)
{
    sf::IntRect shared;
    if (a.intersects(b, shared))
        return shared;
    return std::nullopt;
}

inline sf::Image readBack(const sf::RenderWindow& shown)
{
    sf::Texture texture;
    texture.create(shown.getSize().x, shown.getSize().y);
    texture.update(shown);
    return texture.copyToImage();
}

inline sf::Event makeEvent(EventKind kind, sf::Keyboard::Key key = sf::Keyboard::Key::Unknown)
{
    static const sf::Event::EventType types[] = {sf::Event::Closed, sf::Event::LostFocus, sf::Event::GainedFocus,
                                                 sf::Event::KeyPressed, sf::Event::KeyReleased, sf::Event::Resized,
                                                 sf::Event::TextEntered, sf::Event::MouseButtonPressed};
    sf::Event event{};      // by field: SFML 2.6 added a scancode to the key event
    event.type = types[int(kind)];
    if (kind == EventKind::KeyPressed || kind == EventKind::KeyReleased)
        event.key.code = key;
    return event;
}

#endif
