// The scratch folders the fuzz targets run in.
#include "scratch_res.h"

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

void enterScratchFolder()
{
    std::string pattern = (fs::temp_directory_path() / "grimfathom-fuzz-XXXXXX").string();
    scratch = mkdtemp(pattern.data());
    fs::create_directory(scratch / "res");
    fs::create_directory(scratch / "run");
    fs::current_path(scratch / "run");
    std::atexit(removeScratch);
}

void writeResource(const std::string& name, const std::uint8_t* data, std::size_t size)
{
    std::ofstream(scratch / "res" / name, std::ios::binary).write(reinterpret_cast<const char*>(data), std::streamsize(size));
}
