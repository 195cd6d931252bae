// Long runs: the puzzle with nine disks played to the end by a scripted run typing as fast as
// it can, and a soak that re-creates windows and prints for a while. Memory must stay flat and
// the GUI thread must keep answering.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "graphics/capture.h"
#include "graphics/graphic_coding.h"
#include "graphics/plot.h"
#include "host/host.h"
#include "support/helpers.h"
#include "text/text_output.h"
#include "windows/invariants.h"
#include "windows/window_creation.h"
#include "windows/window_placement.h"

extern char** environ;

using testing::HasSubstr;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool addresssanitizer = true;  // its quarantine holds freed memory: RSS says nothing
#else
constexpr bool addresssanitizer = false;
#endif

// Resident set of a process in kB from /proc, 0 when it is gone.
int64_t residentkb(const std::string& pid) {
    std::ifstream status("/proc/" + pid + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atoll(line.c_str() + 6);
    return 0;
}

std::string readfile(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

struct t_Run {
    int ExitCode = -1;
    int64_t SettledKb = 0;  // resident set one second into the run
    int64_t PeakKb = 0;
    std::string Log;
};

// Runs the program beside the test binaries with the arguments, sampling its memory.
t_Run runprogram(const std::vector<std::string>& arguments, const std::string& logpath) {
    const std::string program =
        std::filesystem::path(host::applicationpath()).parent_path().parent_path() / "stangenspiel";
    std::vector<std::string> all{program};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all) argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, logpath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    t_Run run;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0) return run;
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        const int64_t kb = residentkb(std::to_string(pid));
        if (run.SettledKb == 0 && std::chrono::steady_clock::now() - start > std::chrono::seconds(1)) run.SettledKb = kb;
        run.PeakKb = std::max(run.PeakKb, kb);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.Log = readfile(logpath);
    return run;
}

int64_t residentkb() { return residentkb(std::to_string(::getpid())); }

}  // namespace

TEST(LongRun, NineDisksPlayedToTheEndAtFullSpeed) {
    TempDir dir;
    const std::string output = dir.file("out");
    // The disk count, then one key for each of the 511 moves.
    const t_Run run = runprogram({"--keys=9" + std::string(511, 'n'), "--pace=1", "--timeout=180000",
                                  "--output=" + output},
                                 dir.file("log"));
    ASSERT_EQ(run.ExitCode, 0) << run.Log.substr(run.Log.size() > 2000 ? run.Log.size() - 2000 : 0);
    const std::string screen = readfile(output + "/window0.txt");
    EXPECT_THAT(screen, HasSubstr("Zug 511 von 511"));
    EXPECT_THAT(screen, HasSubstr("Animation des Lösungswegs beendet."));
    EXPECT_TRUE(std::filesystem::exists(output + "/window0.png"));
    if (!addresssanitizer && run.SettledKb > 0) {
        EXPECT_LT(run.PeakKb - run.SettledKb, 32 * 1024);
    }
}

TEST(LongRun, AScriptedRunWhoseResultsCannotBeWrittenFails) {
    TempDir dir;
    // /proc/version is a file: no folder can be made below it.
    const t_Run run = runprogram({"--keys=2nnn", "--pace=1", "--output=/proc/version/out"},
                                 dir.file("log"));
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_THAT(run.Log, HasSubstr("Scripted run: Could not write /proc/version/out."));
}

// Re-creates windows at every depth and size, prints, scrolls, draws, captures and puts the
// pictures back for STANGENSPIEL_SOAK_SECONDS (default 15). The video memory is allocated once,
// so after the first rounds nothing may keep growing.
TEST(LongRun, SoakOfCreationsAndPrintingKeepsMemoryFlat) {
    const char* setting = std::getenv("STANGENSPIEL_SOAK_SECONDS");
    const auto duration = std::chrono::seconds(setting != nullptr ? std::atoi(setting) : 15);
    static constexpr int64_t depths[] = {1, 4, 8, 16, 24, 32};
    const char* const fonts[] = {"MenloBold 16x32.font", "MenloRegular 16x32.font"};
    testing::internal::CaptureStdout();  // every creation logs its blocks
    int64_t settledkb = 0, round = 0;
    std::chrono::steady_clock::duration slowestanswer{};
    const auto start = std::chrono::steady_clock::now();
    for (; std::chrono::steady_clock::now() - start < duration; ++round) {
        const uint8_t window = static_cast<uint8_t>(round % 4);
        const int64_t depth = depths[round % 6];
        if (round % 3 == 0) {
            t_InitGraphicWindow(window, depth, true, 100 + round % 13 * 37, 80 + round % 7 * 29, 4, 4, t_Font{}, true);
        } else {
            t_InitWindow(window, depth, 20 + round % 30, 4 + round % 9, round % 20, fonts[round % 2]);
        }
        t_WindowVisible(window, true);
        for (int line = 0; line < 30; ++line) t_Print(window, "Runde " + std::to_string(round) + "\r");
        for (int64_t x = 0; x < 100; x += 3) g_Line(window, x, 0, 99 - x, 79);
        const t_Graphic picture = g_CompressLZW(g_CompressRLE(g_Pack(g_GetScreen(window))));
        g_PutScreen(static_cast<uint8_t>((window + 1) % 4), picture, round % 50, round % 30);
        ASSERT_EQ(checkframeworkinvariants(), "") << "round " << round;

        const auto asked = std::chrono::steady_clock::now();
        host::runsync([] {});
        slowestanswer = std::max(slowestanswer, std::chrono::steady_clock::now() - asked);
        if (settledkb == 0 && std::chrono::steady_clock::now() - start > duration / 5) settledkb = residentkb();
    }
    const int64_t endkb = residentkb();
    (void)testing::internal::GetCapturedStdout();
    EXPECT_GT(round, 20);
    // The GUI thread answered every time, never stuck behind the program's work for long.
    EXPECT_LT(slowestanswer, std::chrono::seconds(5));
    if (!addresssanitizer) {
        EXPECT_LT(endkb - settledkb, 16 * 1024) << "from " << settledkb << " kB to " << endkb;
    }
}
