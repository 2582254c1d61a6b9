// Scratch folders, state reset, window read-back and child processes for the tests.
#include "support.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder()
{
    // mkdtemp replaces the template's six trailing capitals with a unique name.
    std::string pattern = (fs::temp_directory_path() / "grimfathom-").string() + std::string(6, 'X');
    root = mkdtemp(pattern.data());
    fs::create_directory(res());
    fs::create_directory(run());
    previous = fs::current_path();
    fs::current_path(run());
}

ScratchFolder::~ScratchFolder()
{
    fs::current_path(previous);
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

void ScratchFolder::copyGameResources() const
{
    fs::copy(GAME_RES, res(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

void writePicture(const fs::path& path, unsigned width, unsigned height, sf::Color colour)
{
    sf::Image image;
    image.create(width, height, colour);
    image.saveToFile(path.string());
}

std::string commandOutput(const std::string& command)
{
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return text;
    char chunk[4096];
    while (std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe))
        text.append(chunk, n);
    pclose(pipe);
    return text;
}

void resetGame()
{
    phase = LevelIntro;
    level = 1;
    gameTime = gameOverTime = lastShotTime = 0;
    torpedoesFired = monstersKilled = nextVoice = 0;
    torpedoes.clear();
    squids.clear();
    explosions.clear();
    submarineSprite.setPosition(50, 300);
    explosionSprite.setColor(sf::Color::White);
}

void openGameWindow()
{
    window.create(sf::VideoMode(800, 600, 32), "Grimfathom test", sf::Style::Default);
    loadPictures();
    setUpSprites();
    setUpSounds();
}

sf::Image readBack()
{
    sf::Texture texture;
    texture.create(window.getSize().x, window.getSize().y);
    texture.update(window);
    return texture.copyToImage();
}

GameProcess::GameProcess(const fs::path& workingFolder, std::vector<std::string> environment)
    : GameProcess(workingFolder, Launch{std::move(environment), {}, {}, {}})
{
}

// Runs in the child: only what the launch asks for differs from the test's own process.
static void execGame(const fs::path& workingFolder, const Launch& launch)
{
    fs::current_path(workingFolder);
    for (const std::string& setting : launch.environment)
        putenv(strdup(setting.c_str()));
    for (const std::string& name : launch.unset)
        unsetenv(name.c_str());
    if (!launch.errors.empty())
        dup2(open(launch.errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDERR_FILENO);
    std::vector<char*> arguments;
    for (const std::string& word : launch.wrapper)
        arguments.push_back(strdup(word.c_str()));
    arguments.push_back(strdup(launch.program.c_str()));
    arguments.push_back(nullptr);
    execvp(arguments[0], arguments.data());
    _exit(127);
}

GameProcess::GameProcess(const fs::path& workingFolder, const Launch& launch)
{
    pid = fork();
    if (pid == 0)
        execGame(workingFolder, launch);
}

GameProcess::~GameProcess()
{
    if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

int GameProcess::waitForExit(double timeoutSeconds)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

sf::IntRect digitCell(sf::Vector2u strip, int digit)
{
    float cellFraction = float(strip.x) / 10.0f;
    return sf::IntRect(int(float(digit) * cellFraction), 0, int(cellFraction), int(strip.y));
}

bool near(sf::Color a, sf::Color b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

int countPixels(const sf::Image& image, sf::Color colour, int tolerance,
                unsigned x0, unsigned y0, unsigned x1, unsigned y1)
{
    int count = 0;
    for (unsigned y = y0; y < y1; y++)
        for (unsigned x = x0; x < x1; x++)
            count += near(image.getPixel(x, y), colour, tolerance);
    return count;
}
