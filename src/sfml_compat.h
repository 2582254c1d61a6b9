// Where SFML 2 (2.5, 2.6) and SFML 3 differ in a call the game, its generator or its tests make:
// one name for each, serving both. The version is tested here and nowhere else.
#pragma once

#include <SFML/Audio.hpp>
#include <SFML/Graphics.hpp>

#include <cstdint>
#include <optional>
#include <vector>

// The events the tests hand to the game: the three it acts on and a few it must ignore.
enum class EventKind { Closed, FocusLost, FocusGained, KeyPressed, KeyReleased, Resized, TextEntered, MouseButtonPressed };

#if SFML_VERSION_MAJOR >= 3

// What SFML logs when miniaudio opens no sound device, and every sound plays silent.
constexpr const char* noSoundDeviceMessage = "Failed to initialize the audio playback device";

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
inline const sf::SoundBuffer* bufferOf(const sf::Sound& sound) { return &sound.getBuffer(); }

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

inline sf::Image filledImage(sf::Vector2u size, sf::Color colour) { return sf::Image(size, colour); }
inline void drawOver(sf::Image& image, const sf::Image& picture, sf::Vector2u at) { (void)image.copy(picture, at, {}, true); }
inline sf::Color pixelAt(const sf::Image& image, unsigned x, unsigned y) { return image.getPixel({x, y}); }
inline void setPixelAt(sf::Image& image, unsigned x, unsigned y, sf::Color colour) { image.setPixel({x, y}, colour); }
inline sf::Vector2i topLeft(const sf::IntRect& rect) { return rect.position; }
inline sf::Vector2i sizeOf(const sf::IntRect& rect) { return rect.size; }

inline sf::Image readBack(const sf::RenderWindow& window)
{
    sf::Texture texture(window.getSize());
    texture.update(window);
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
inline const sf::SoundBuffer* bufferOf(const sf::Sound& sound) { return sound.getBuffer(); }

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
inline sf::Color pixelAt(const sf::Image& image, unsigned x, unsigned y) { return image.getPixel(x, y); }
inline void setPixelAt(sf::Image& image, unsigned x, unsigned y, sf::Color colour) { image.setPixel(x, y, colour); }
inline sf::Vector2i topLeft(const sf::IntRect& rect) { return {rect.left, rect.top}; }
inline sf::Vector2i sizeOf(const sf::IntRect& rect) { return {rect.width, rect.height}; }

inline sf::Image readBack(const sf::RenderWindow& window)
{
    sf::Texture texture;
    texture.create(window.getSize().x, window.getSize().y);
    texture.update(window);
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
