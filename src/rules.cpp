// The game rules: phases and keys, levels, movement and pursuit, collisions, removal.
#include "grimfathom.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

// The torpedo leaves on the submarine's centre line, just ahead of its nose.
static void fireTorpedo()
{
    sf::Vector2f submarine = submarineSprite.getPosition();
    float launchOffset = float(submarineTexture.getSize().x) - 10;
    torpedoes.push_back(Torpedo{sf::Vector2f(submarine.x + launchOffset, submarine.y), false});
    playSound("pew");
    torpedoesFired += 1;
    lastShotTime = gameTime;
}

// A key that ends the intro, the pause or the results screen does nothing else.
static void handleKey(sf::Keyboard::Key key)
{
    if (phase == LevelIntro) {
        phase = Playing;
    } else if (phase == GameOver) {
        if (gameTime > gameOverTime + 1.0f)
            restartGame();
    } else if (phase == Paused) {
        phase = Playing;
    } else if (key == sf::Keyboard::Key::Escape) {
        phase = Paused;
    } else if (key == sf::Keyboard::Key::Space && gameTime > lastShotTime + 0.3f) {
        fireTorpedo();
    }
}

void handleEvent(const sf::Event& event)
{
    if (isClosed(event))
        window.close();
    else if (isFocusLost(event) && phase == Playing)
        phase = Paused;
    else if (std::optional<sf::Keyboard::Key> key = pressedKey(event))
        handleKey(*key);
}

// Draws places until one lies at least 128 pixels from the submarine.
static sf::Vector2f placeSquid()
{
    for (;;) {
        float x = float(rand() % 800);
        float y = float(rand() % 600);
        if (distance(sf::Vector2f(x, y), submarineSprite.getPosition()) >= 128)
            return sf::Vector2f(x, y);
    }
}

// The caller sets the phase and the level; the submarine stays where it is.
void startLevel()
{
    torpedoes.clear();
    squids.clear();
    for (int i = 0; i < level; i++)
        squids.push_back(Squid{placeSquid(), false});
    if (level == 1)
        jingleSound.play();
    sf::Vector2f centre = halfSize(window.getSize());
    levelSprite.setPosition({centre.x - 100, centre.y});
}

// The clock, the stamps, the explosions and the submarine's place carry over.
void restartGame()
{
    level = 1;
    torpedoesFired = 0;
    monstersKilled = 0;
    phase = LevelIntro;
    startLevel();
}

// The game-over caption swings about the window's centre, in step with the game clock.
static void swayCaption()
{
    float sway = float(std::sin(double(gameTime * 6))) * 30;
    sf::Vector2f centre = halfSize(window.getSize());
    gameOverSprite.setPosition({centre.x + sway, centre.y});
}

// Each pair counts once, and the letter is polled only when its arrow is not held.
static sf::Vector2f readSteering()
{
    using K = sf::Keyboard::Key;
    auto held = [](K key) { return sf::Keyboard::isKeyPressed(key); };
    bool down = held(K::Down) || held(K::S);
    bool up = held(K::Up) || held(K::W);
    bool right = held(K::Right) || held(K::D);
    bool left = held(K::Left) || held(K::A);
    return sf::Vector2f(float(right) - float(left), float(down) - float(up));
}

// Every squid takes one whole step towards where the submarine stood at the frame's start.
// One sitting exactly on the submarine has no direction to take and stays put.
static void chaseSubmarine(float dt)
{
    float step = dt * 80;
    for (Squid& squid : squids) {
        sf::Vector2f submarine = submarineSprite.getPosition();
        float length = distance(submarine, squid.position);
        if (length == 0)
            continue;
        squid.position.x += (submarine.x - squid.position.x) / length * step;
        squid.position.y += (submarine.y - squid.position.y) / length * step;
    }
}

// The vertical margin is a quarter of the picture's height, so the hull may dip past the edge.
static void confineSubmarine()
{
    sf::Vector2f place = submarineSprite.getPosition();
    sf::Vector2f margin = halfSize(submarineTexture.getSize());
    margin.y *= 0.5f;
    sf::Vector2f confined = place;
    if (confined.x < margin.x)
        confined.x = margin.x;
    else if (confined.x > 800 - margin.x)
        confined.x = 800 - margin.x;
    if (confined.y < margin.y)
        confined.y = margin.y;
    else if (confined.y > 600 - margin.y)
        confined.y = 600 - margin.y;
    if (confined != place)
        submarineSprite.setPosition(confined);
}

// Opposite keys cancel; diagonal travel is not normalised.
static void steerSubmarine(sf::Vector2f steering, float dt)
{
    if (steering.y != 0)
        submarineSprite.move({0, dt * 120 * steering.y});
    if (steering.x != 0)
        submarineSprite.move({dt * 200 * steering.x, 0});
    confineSubmarine();
}

static void moveTorpedoes(float dt)
{
    for (Torpedo& torpedo : torpedoes)
        torpedo.position.x += dt * 400;
}

static void catchSubmarine()
{
    phase = GameOver;
    gameOverTime = gameTime;
    explosions.push_back(Explosion{submarineSprite.getPosition(), gameTime});
    explosionSprite.setColor(sf::Color(255, 255, 255, 255));
    playSound("explosion");
    playSound("gameover");
}

static void strike(Torpedo& torpedo, Squid& squid)
{
    torpedo.hit = true;
    squid.hit = true;
    explosions.push_back(Explosion{torpedo.position, gameTime});
    playSound("explosion");
    playSound("splash");
    monstersKilled += 1;
}

// Only flags are set here; no test looks at them, so every pair in reach counts.
// A caught submarine ends the pass at once.
static void checkCollisions()
{
    for (Squid& squid : squids) {
        if (distance(submarineSprite.getPosition(), squid.position) < 32) {
            catchSubmarine();
            return;
        }
        for (Torpedo& torpedo : torpedoes)
            if (distance(torpedo.position, squid.position) < 52)
                strike(torpedo, squid);
    }
}

// The frame that finds the level cleared starts the next one and moves nothing.
void update(float dt)
{
    gameTime += dt;
    if (phase == Playing && squids.empty()) {
        level += 1;
        phase = LevelIntro;
        startLevel();
    }
    if (phase == GameOver)
        swayCaption();
    if (phase != Playing)
        return;
    sf::Vector2f steering = readSteering();
    chaseSubmarine(dt);
    steerSubmarine(steering, dt);
    moveTorpedoes(dt);
    checkCollisions();
}

// Survivors keep their order and the lists keep their capacity.
void removeSpent()
{
    squids.erase(std::remove_if(squids.begin(), squids.end(),
                                [](const Squid& squid) { return squid.hit; }),
                 squids.end());
    torpedoes.erase(std::remove_if(torpedoes.begin(), torpedoes.end(),
                                   [](const Torpedo& torpedo) { return torpedo.hit || torpedo.position.x > 800; }),
                    torpedoes.end());
    explosions.erase(std::remove_if(explosions.begin(), explosions.end(),
                                    [](const Explosion& explosion) { return gameTime > explosion.startTime + 0.5f; }),
                     explosions.end());
}
