// Runs the stand-in host from simple commands, one per line (see README.md in host/), and
// prints what the host and the plug-in's windows show.
#pragma once

#include <windows.h>

#include <istream>
#include <string>

namespace Lumora {

class ScriptDriver {
public:
    // Runs every command; false when one failed (the rest still run).
    bool Run(std::istream& script);

private:
    bool Execute(const std::string& line);
    bool Set(const std::string& what, const std::string& value);
    bool RaiseProtocol(unsigned type, const std::string& hex);
    bool Wait(const std::string& kind, const std::string& argument);
    void Dump();
    bool Screenshot(const std::string& file);
    bool Unload();

    bool appExitRaised = false;
    HMODULE plugin = nullptr;
};

// Handles pending window messages for about ms milliseconds.
void Pump(unsigned ms);

} // namespace Lumora
