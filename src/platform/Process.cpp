#include "Process.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int PollMilliseconds = 20;  // how often a waiting caller gets to run its callback

std::vector<char*> ArgvPointers(const std::vector<std::string>& argv) {
    std::vector<char*> pointers;
    for (const auto& arg : argv) pointers.push_back(const_cast<char*>(arg.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

int WaitForExit(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::function<void()>& whileWaiting) {
    ProcessResult result;
    if (argv.empty()) return result;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return result;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    pid_t pid = 0;
    auto pointers = ArgvPointers(argv);
    const int spawned = posix_spawnp(&pid, argv[0].c_str(), &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
        close(fds[0]);
        return result;
    }

    char buffer[4096];
    for (;;) {
        pollfd readable{fds[0], POLLIN, 0};
        const int ready = poll(&readable, 1, PollMilliseconds);
        if (ready < 0 && errno != EINTR) break;
        if (ready > 0) {
            const ssize_t n = read(fds[0], buffer, sizeof buffer);
            if (n > 0) {
                result.output.append(buffer, static_cast<std::size_t>(n));
                continue;
            }
            if (n == 0 || errno != EINTR) break;
        }
        if (whileWaiting) whileWaiting();
    }
    close(fds[0]);
    result.exitCode = WaitForExit(pid);
    return result;
}

bool SpawnDetached(const std::vector<std::string>& argv) {
    if (argv.empty()) return false;
    pid_t pid = 0;
    auto pointers = ArgvPointers(argv);
    if (posix_spawnp(&pid, argv[0].c_str(), nullptr, nullptr, pointers.data(), environ) != 0) return false;
    std::thread([pid] { WaitForExit(pid); }).detach();  // reaps the child so no zombie is left
    return true;
}

std::string ExecutableDir() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return ".";
    std::string full(path, static_cast<std::size_t>(n));
    const auto slash = full.rfind('/');
    return slash == std::string::npos || slash == 0 ? std::string(slash == 0 ? "/" : ".") : full.substr(0, slash);
}
