// What the dump command prints about the plug-in's browser window: its controls' states, the
// tree, the rows of both lists and the server list's column headers.
#pragma once

namespace Lumora {

// Prints nothing when there is no browser window.
void DumpBrowser();

} // namespace Lumora
