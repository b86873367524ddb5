#include "DebugOutput.h"

#include "HostLog.h"

#include <windows.h>

#include <string>

namespace Lumora {
namespace {

// OutputDebugString raises this exception with the text's length and address; without a
// debugger the system handles it. A vectored handler sees it first and lets it go on.
LONG CALLBACK NoteDebugText(EXCEPTION_POINTERS* exception) {
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    if (record.ExceptionCode != DBG_PRINTEXCEPTION_C || record.NumberParameters < 2)
        return EXCEPTION_CONTINUE_SEARCH;
    const auto length = size_t(record.ExceptionInformation[0]);
    const auto* text = reinterpret_cast<const char*>(record.ExceptionInformation[1]);
    if (!text || length == 0 || length > 4096)
        return EXCEPTION_CONTINUE_SEARCH;
    std::string line(text, strnlen(text, length));
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    HostLog::Instance().Add(L"debug: " + std::wstring(line.begin(), line.end()));
    return EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

void CaptureDebugOutput() {
    AddVectoredExceptionHandler(1, NoteDebugText);
}

} // namespace Lumora
