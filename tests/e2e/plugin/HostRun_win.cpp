#include "HostRun.h"

#include "utils/ExecutableFolder.h"
#include "utils/win/WideText.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace Portico::E2e {
namespace {

std::wstring Folder() {
    return Utils::WideFromUtf8(Utils::ExecutableFolder());
}

std::string ReadAll(HANDLE pipe) {
    std::string out;
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(pipe, buffer, sizeof(buffer), &n, nullptr) && n > 0)
        out.append(buffer, n);
    return out;
}

void SetDefault(const wchar_t* name, const wchar_t* value) {
    if (GetEnvironmentVariableW(name, nullptr, 0) == 0)
        SetEnvironmentVariableW(name, value);
}

} // namespace

std::vector<std::string> HostOutput::LastDump(const std::string& prefix) const {
    size_t start = 0;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == "> dump")
            start = i;
    std::vector<std::string> found;
    for (size_t i = start; i < lines.size(); ++i) {
        if (i > start && lines[i].rfind("> ", 0) == 0)
            break;
        if (lines[i].rfind(prefix, 0) == 0)
            found.push_back(lines[i]);
    }
    return found;
}

bool HostOutput::Has(const std::string& line) const {
    for (const auto& l : lines)
        if (l == line)
            return true;
    return false;
}

std::string HostOutput::All() const {
    std::string all;
    for (const auto& line : lines)
        all += line + "\n";
    return all;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    for (size_t at = line.find('"'); at != std::string::npos;) {
        const size_t end = line.find('"', at + 1);
        if (end == std::string::npos)
            break;
        fields.push_back(line.substr(at + 1, end - at - 1));
        at = line.find('"', end + 1);
    }
    return fields;
}

size_t HostOutput::Count(const std::string& prefix) const {
    size_t n = 0;
    for (const auto& l : LastDump(prefix))
        n += l.rfind(prefix, 0) == 0;
    return n;
}

HostOutput RunHost(const std::string& script) {
    HostOutput result;
    const std::wstring folder = Folder();
    const std::wstring scriptPath = folder + L"e2e-script.txt";
    {
        std::ofstream file(scriptPath.c_str(), std::ios::binary);
        file << script;
    }
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return result;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    // Partner names that resolve at once and stay on loopback, and the plug-in's reports to
    // loopback, where a script can listen for them; a test may have chosen its own.
    SetDefault(L"PORTICO_PARTNER_HOSTS", L"127.0.1.1,127.0.1.2,127.0.2.1,127.0.2.2,127.0.3.1");
    SetDefault(L"PORTICO_REPORT_HOST", L"127.0.0.1");
    std::wstring command = L"\"" + folder + L"Lumora.exe\" \"" + scriptPath + L"\"";
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr,
                                        folder.c_str(), &startup, &process);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        return result;
    }
    const std::string text = ReadAll(readEnd);
    CloseHandle(readEnd);
    WaitForSingleObject(process.hProcess, 120000);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    result.exitCode = int(code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        result.lines.push_back(line);
    }
    return result;
}

} // namespace Portico::E2e
