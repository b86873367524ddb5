// How the script driver picks from the plug-in's popup menus. A real menu would run its own
// loop until a user picks, holding up the script; so while the host runs a script it sets
// kScriptRunningVariable in its own environment, and the skin then tracks no menu. "menu ID"
// puts ID into kMenuPickVariable; the skin's next popup menu takes it and picks that item.
#pragma once

namespace Lumora {

constexpr wchar_t kScriptRunningVariable[] = L"LUMORA_SCRIPT_RUNNING";
constexpr wchar_t kMenuPickVariable[] = L"LUMORA_MENU_PICK";

} // namespace Lumora
