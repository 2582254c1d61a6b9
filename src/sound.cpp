// The sound bank and the ring of voices on which effects overlap.
#include "grimfathom.h"

void loadSound(std::string name)
{
    // A failed load still replaces the entry, with an empty buffer that plays silently.
    sf::SoundBuffer buffer;
    buffer.loadFromFile("../res/" + name + ".wav");
    soundBank[name] = buffer;
}

// The voice taken is the one started longest ago: with all four busy, the oldest is cut.
void playSound(std::string name)
{
    sf::Sound& voice = voices[nextVoice];
    nextVoice = int((unsigned(nextVoice) + 1) % voices.size());
    voice.setBuffer(soundBank[name]);
    voice.play();
}

void setUpSounds()
{
    voices.resize(4);
    loadSound("splash");
    loadSound("explosion");
    loadSound("gameover");
    loadSound("pew");
    loadSound("beepboop");
    jingleSound.setBuffer(soundBank["beepboop"]);
}
