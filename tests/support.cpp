// Scratch folders, state reset, window read-back and child processes for the tests.
#include "support.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <stdexcept>
#include <system_error>
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
    (void)filledImage({width, height}, colour).saveToFile(path.string());
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
    submarineSprite.setPosition({50, 300});
    explosionSprite.setColor(sf::Color::White);
}

void openGameWindow()
{
    createWindow(window, {800, 600}, "Grimfathom test");
    loadPictures();
    setUpSprites();
    setUpSounds();
}

static std::string nameOf(const std::string& setting)
{
    return setting.substr(0, setting.find('='));
}

// The test's own environment with the launch's settings over it, a later one winning as with
// putenv, and then its names taken out: only what the launch asks for differs.
static std::vector<std::string> gameEnvironment(const Launch& launch)
{
    std::map<std::string, std::string> byName;
    for (char** setting = environ; *setting; setting++)
        byName[nameOf(*setting)] = *setting;
    for (const std::string& setting : launch.environment)
        byName[nameOf(setting)] = setting;
    for (const std::string& name : launch.unset)
        byName.erase(name);
    std::vector<std::string> settings;
    for (const auto& [name, setting] : byName)
        settings.push_back(setting);
    return settings;
}

// The file execvp would run: a command with a slash as it is, any other the first executable
// of that name on the PATH the game gets, whose relative folders start from its working folder.
static fs::path findCommand(const std::string& command, const std::vector<std::string>& environment,
                            const fs::path& workingFolder)
{
    if (command.find('/') != std::string::npos)
        return command;
    std::string path = "/bin:/usr/bin";     // execvp's choice when there is no PATH
    for (const std::string& setting : environment)
        if (nameOf(setting) == "PATH")
            path = setting.substr(5);
    std::istringstream folders(path);
    for (std::string folder; std::getline(folders, folder, ':');) {
        fs::path candidate = workingFolder / folder / command;
        if (fs::is_regular_file(candidate) && access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    throw std::runtime_error("cannot start " + command + ": not found on PATH " + path);
}

// The C arrays posix_spawn takes, pointing into the strings, which must outlive the call.
static std::vector<char*> pointersTo(std::vector<std::string>& words)
{
    std::vector<char*> pointers;
    for (std::string& word : words)
        pointers.push_back(word.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Everything the child needs is made here, before it exists: posix_spawn's child only changes
// folder, opens the errors file and executes, which stays safe however many threads this
// process has (GoogleTest, X and OpenAL start some), unlike allocating after a fork.
GameProcess::GameProcess(const fs::path& workingFolder, const Launch& launch)
{
    std::vector<std::string> environment = gameEnvironment(launch);
    std::vector<std::string> arguments = launch.wrapper;
    arguments.push_back(launch.program);
    std::string program = findCommand(arguments[0], environment, workingFolder).string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    if (!launch.errors.empty())
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, launch.errors.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv = pointersTo(arguments), envp = pointersTo(environment);
    int failed = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed)
        throw std::system_error(failed, std::generic_category(), "cannot start " + program);
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
    return sf::IntRect({int(float(digit) * cellFraction), 0}, {int(cellFraction), int(strip.y)});
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
            count += near(pixelAt(image, x, y), colour, tolerance);
    return count;
}

std::optional<sf::Vector2f> middleOf(const sf::Image& image,
                                     const std::function<bool(sf::Vector2f centre, sf::Color colour)>& picks)
{
    double sumX = 0, sumY = 0, count = 0;
    for (unsigned y = 0; y < image.getSize().y; y++)
        for (unsigned x = 0; x < image.getSize().x; x++) {
            sf::Vector2f centre(float(x) + 0.5f, float(y) + 0.5f);
            if (picks(centre, pixelAt(image, x, y))) {
                sumX += centre.x;
                sumY += centre.y;
                count += 1;
            }
        }
    if (count == 0)
        return std::nullopt;
    return sf::Vector2f(float(sumX / count), float(sumY / count));
}
