// libFuzzer target: the game's sound loader meets one damaged sound.
#include "grimfathom.h"
#include "scratch_res.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    enterScratchFolder();
    sf::err().rdbuf(nullptr);   // SFML's complaint about every damaged file would drown the log
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    writeResource("pew.wav", data, size);
    loadSound("pew");
    return 0;
}
