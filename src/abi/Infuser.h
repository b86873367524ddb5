// The contract of the injection library Infuser.dll, which the plug-in loads from the host's
// folder: its one export, taken by name, runs a library inside a process created suspended,
// before the process resumes. The library and the plug-in are built from this header.
#pragma once

#include <cstdint>

// The callee removes its arguments (stdcall on 32-bit Windows; no effect elsewhere).
#if defined(_WIN32) && !defined(_WIN64)
#define PORTICO_INFUSER_CALL __stdcall
#else
#define PORTICO_INFUSER_CALL
#endif

namespace Portico {

constexpr char16_t kInfuserFile[] = u"Infuser.dll";
constexpr char kInfuseCodeName[] = "InfuseCode";
// The game-side hook that the plug-in has run inside every game it starts.
constexpr char16_t kGantryFile[] = u"Gantry.dll";

// process: a process handle with the rights to create a thread and write memory in it;
// library: the library's full path, UTF-16, NUL-terminated. Nonzero once the library was
// loaded in the process and its entry has run; 0 when it was not.
using InfuseCodeFn = int32_t(PORTICO_INFUSER_CALL*)(void* process, const char16_t* library);

} // namespace Portico
