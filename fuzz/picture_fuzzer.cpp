// libFuzzer target: the game's picture loader meets one damaged picture, the others missing.
// Textures need an OpenGL context: run it on a display (tests/with-display.sh).
#include "grimfathom.h"
#include "scratch_res.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    writeResource("squid.png", data, size);
    squidTexture = sf::Texture();
    loadPictures();
    return 0;
}
