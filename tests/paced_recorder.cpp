// paced_recorder WAV: writes the 16-bit stereo 44.1 kHz sound on its standard input into a wave
// file, taking it no faster than it would play. ALSA's file output runs it for a game on SFML 3,
// whose sound otherwise goes nowhere as fast as it is mixed: the player's pace keeps the
// recording's timeline on the game's clock, as OpenAL Soft's wave writer does on SFML 2.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

const std::uint32_t bytesPerSecond = 44100 * 2 * 2;

void putLittleEndian(unsigned char* at, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; i++)
        at[i] = static_cast<unsigned char>(value >> (8 * i));
}

// The header claims the data written so far, so the file reads whole at any moment.
std::vector<unsigned char> waveHeader(std::uint32_t dataBytes)
{
    std::vector<unsigned char> header = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                                         16, 0, 0, 0, 1, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 16, 0,
                                         'd', 'a', 't', 'a', 0, 0, 0, 0};
    putLittleEndian(&header[4], 36 + dataBytes, 4);
    putLittleEndian(&header[24], 44100, 4);
    putLittleEndian(&header[28], bytesPerSecond, 4);
    putLittleEndian(&header[40], dataBytes, 4);
    return header;
}

bool writeAt(int file, const unsigned char* bytes, std::size_t count, off_t at)
{
    return pwrite(file, bytes, count, at) == static_cast<ssize_t>(count);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: paced_recorder WAV < raw-sound\n");
        return 2;
    }
    int file = open(argv[1], O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file < 0) {
        std::perror(argv[1]);
        return 1;
    }
    // The smallest pipe holds a page: what the mixer may run ahead of the pace, 23 ms of sound.
    fcntl(STDIN_FILENO, F_SETPIPE_SZ, 4096);
    auto started = std::chrono::steady_clock::now();
    std::uint32_t written = 0;
    unsigned char slice[1764];      // 10 ms
    for (;;) {
        std::vector<unsigned char> header = waveHeader(written);
        if (!writeAt(file, header.data(), header.size(), 0))
            return 1;
        ssize_t count = read(STDIN_FILENO, slice, sizeof slice);
        if (count <= 0)
            return count < 0 ? 1 : 0;
        if (!writeAt(file, slice, std::size_t(count), off_t(header.size() + written)))
            return 1;
        written += std::uint32_t(count);
        std::this_thread::sleep_until(started + std::chrono::duration<double>(double(written) / bytesPerSecond));
    }
}
