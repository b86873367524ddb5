// The script driver's commands for the plug-in's panels in the host's views: the chat-room
// panel's server list and buttons, and the buddy list.
#pragma once

#include <string>

namespace Lumora {

// "room dblclick N", "room header N", "room button ID", "buddy N" (a double click on line N).
// False for an unknown command or one that cannot be done.
bool PanelCommand(const std::string& verb, const std::string& a, const std::string& b);
// Lines "room: ...", "roomrow: N \"col0\" ... \"col4\"", "buddy: N key=K selected=S \"text\"".
void DumpPanels();

} // namespace Lumora
