// libFuzzer target: the game's sound loader meets one damaged sound.
#include "grimfathom.h"
#include "scratch_res.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    writeResource("pew.wav", data, size);
    loadSound("pew");
    return 0;
}
