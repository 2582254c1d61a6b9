// The scratch folders the fuzz targets run in, and libFuzzer's set-up hook that makes them.
#include "scratch_res.h"

#include <SFML/System/Err.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

static fs::path scratch;

static void removeScratch()
{
    std::error_code ignored;
    fs::remove_all(scratch, ignored);
}

// Called by libFuzzer once, before it reads the corpus (whose folders are given as full paths).
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::string pattern = (fs::temp_directory_path() / "grimfathom-fuzz-XXXXXX").string();
    scratch = mkdtemp(pattern.data());
    fs::create_directory(scratch / "res");
    fs::create_directory(scratch / "run");
    fs::current_path(scratch / "run");
    std::atexit(removeScratch);
    sf::err().rdbuf(nullptr);   // SFML's complaint about every damaged file would drown the log
    return 0;
}

void writeResource(const std::string& name, const std::uint8_t* data, std::size_t size)
{
    std::ofstream(scratch / "res" / name, std::ios::binary).write(reinterpret_cast<const char*>(data), std::streamsize(size));
}
