// A copy of the running trial program started with other arguments: its standard output comes
// back as lines, its standard input stays open until CloseInput, and it can be killed outright.
#pragma once

#include <string>
#include <vector>

namespace Trials {

class ChildProcess {
public:
    ChildProcess() = default;
    // Kills and reaps a child that still runs.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // program: how the trial was started (its argv[0]); arguments follow it.
    bool Start(const std::string& program, const std::vector<std::string>& arguments);
    // The next line without its end; false when none came within timeoutMs or output ended.
    bool ReadLine(std::string& line, int timeoutMs);
    // Standard input reaches its end, which a waiting child takes as its cue.
    void CloseInput();
    // SIGKILL: no handler, no clean-up, as a crash or a killed task.
    void Kill();
    // Reaps the child: its exit code, or minus the signal that ended it.
    int Wait();

private:
    void CloseDescriptors();

    int pid = -1;
    int input = -1;  // write end of the child's standard input
    int output = -1; // read end of the child's standard output
    std::string pending;
    bool ended = false;
};

} // namespace Trials
