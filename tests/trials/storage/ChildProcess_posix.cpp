#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace Trials {

namespace {

bool MakePipe(int ends[2]) {
    return pipe2(ends, O_CLOEXEC) == 0;
}

} // namespace

ChildProcess::~ChildProcess() {
    if (pid > 0) {
        Kill();
        Wait();
    }
    CloseDescriptors();
}

bool ChildProcess::Start(const std::string& program, const std::vector<std::string>& arguments) {
    int in[2];
    int out[2];
    if (!MakePipe(in))
        return false;
    if (!MakePipe(out)) {
        close(in[0]);
        close(in[1]);
        return false;
    }
    std::vector<std::string> texts;
    texts.push_back(program);
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts)
        argv.push_back(&text[0]);
    argv.push_back(nullptr);

    // The pipes are close-on-exec; dup2 gives the child its two ends without that flag.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    pid_t child = -1;
    const int failed =
        posix_spawnp(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    if (failed != 0) {
        close(in[1]);
        close(out[0]);
        return false;
    }
    pid = child;
    input = in[1];
    output = out[0];
    pending.clear();
    ended = false;
    return true;
}

bool ChildProcess::ReadLine(std::string& line, int timeoutMs) {
    while (true) {
        const size_t end = pending.find('\n');
        if (end != std::string::npos) {
            line = pending.substr(0, end);
            pending.erase(0, end + 1);
            return true;
        }
        if (ended || output < 0)
            return false;
        pollfd ready{output, POLLIN, 0};
        const int polled = poll(&ready, 1, timeoutMs);
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled <= 0)
            return false;
        char buffer[4096];
        const ssize_t got = read(output, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            ended = true;
        else
            pending.append(buffer, size_t(got));
    }
}

void ChildProcess::CloseInput() {
    if (input >= 0)
        close(input);
    input = -1;
}

void ChildProcess::Kill() {
    if (pid > 0)
        kill(pid, SIGKILL);
}

int ChildProcess::Wait() {
    if (pid <= 0)
        return -1;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    pid = -1;
    CloseInput();
    if (WIFSIGNALED(status))
        return -WTERMSIG(status);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ChildProcess::CloseDescriptors() {
    CloseInput();
    if (output >= 0)
        close(output);
    output = -1;
}

} // namespace Trials
