// What the plug-in writes to the debugger output (OutputDebugString) goes to the host log as
// "debug: TEXT", so that scripts and tests see it.
#pragma once

namespace Lumora {

void CaptureDebugOutput();

} // namespace Lumora
