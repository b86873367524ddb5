// Script commands that drive the plug-in's browser window as a user would: clicks on its tree,
// tabs, buttons, list rows and column headers, a pick in a combo box, and waits on what it shows.
#pragma once

#include <string>

namespace Lumora {

// Whether verb is one of: tree, tab, button, combo, header, select, dblclick, rclick.
bool IsBrowserCommand(const std::string& verb);
// Runs it; false (after a line that says why) when its control or item is missing or the click
// did not have its effect.
bool RunBrowserCommand(const std::string& verb, const std::string& arguments);
// wait rows N, wait players N, wait text ID TEXT: handles messages until the browser shows that,
// at most 10 s; false for any other kind.
bool WaitForBrowser(const std::string& kind, const std::string& arguments);

} // namespace Lumora
