#include "bench/tool_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iterator>

extern char** environ;

namespace {

// Runs on an empty and on the real input alternate, so that both minima see the same state of
// the machine: the start-up is taken off the whole, and two drifting minima would not cancel.
constexpr int attempts = 15;

void writefile(const std::string& path, const std::vector<uint8_t>& data) {
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data.data(), 1, data.size(), f);
        std::fclose(f);
    }
}

std::vector<uint8_t> readfile(const std::string& path) {
    std::vector<uint8_t> data;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        uint8_t buffer[65536];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) data.insert(data.end(), buffer, buffer + n);
        std::fclose(f);
    }
    return data;
}

// The CPU time of one run of `command < input > output`; negative when it cannot run.
double cpuofrun(std::vector<char*>& argv, const std::string& input, const std::string& output) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t child = 0;
    int status = 0;
    rusage usage{};
    const bool started = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    if (started) wait4(child, &status, 0, &usage);
    posix_spawn_file_actions_destroy(&actions);
    if (!started) return -1;
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

}  // namespace

t_ToolRun runtool(const std::vector<std::string>& command, const std::vector<uint8_t>& data) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    const std::string input = (folder / "stangenspiel_bench_input").string();
    const std::string empty = (folder / "stangenspiel_bench_empty").string();
    const std::string output = input + ".out";
    writefile(input, data);
    writefile(empty, {});
    t_ToolRun run;
    std::vector<char*> argv;
    for (const std::string& part : command) argv.push_back(const_cast<char*>(part.c_str()));
    argv.push_back(nullptr);
    double startup = 1e9, whole = 1e9;
    for (int attempt = 0; attempt < attempts && startup >= 0 && whole >= 0; ++attempt) {
        startup = std::min(startup, cpuofrun(argv, empty, output));
        whole = std::min(whole, cpuofrun(argv, input, output));
    }
    if (startup >= 0 && whole >= 0) {
        run.Ran = true;
        run.StartupSeconds = startup;
        run.Seconds = std::max(whole - startup, 1e-6);
        run.Output = readfile(output);
    }
    std::error_code ignored;
    for (const std::string& path : {input, empty, output}) std::filesystem::remove(path, ignored);
    return run;
}
