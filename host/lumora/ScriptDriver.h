// Runs the stand-in host from simple commands, one per line (see README.md in host/), and
// prints what the host and the plug-in's windows show.
#pragma once

#include "ReportListener.h"

#include <windows.h>

#include <functional>
#include <istream>
#include <string>

namespace Lumora {

class ScriptDriver {
public:
    // Runs every command; false when one failed (the rest still run).
    bool Run(std::istream& script);

private:
    bool Execute(const std::string& line);
    bool RaiseEvent(const std::string& verb, const std::string& a, const std::string& b);
    bool SendToTarget(const std::string& verb, const std::string& line);
    bool Set(const std::string& what, const std::string& value);
    bool RaiseProtocol(unsigned type, const std::string& hex);
    bool Wait(const std::string& kind, const std::string& argument);
    bool ArmMenu(const std::string& id);
    bool Listen(const std::string& port);
    void Dump();
    bool Screenshot(const std::string& file, const std::string& window);
    bool Unload();

    bool appExitRaised = false;
    HMODULE plugin = nullptr;
    ReportListener reports;
};

// Handles pending window messages for about ms milliseconds.
void Pump(unsigned ms);
// Handles window messages until done() holds (true) or ms milliseconds have passed (false).
bool PumpUntil(const std::function<bool()>& done, unsigned ms);
// Writes a line of the script's output (UTF-8).
void Print(const std::wstring& line);

} // namespace Lumora
