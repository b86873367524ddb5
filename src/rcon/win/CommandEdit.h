// The console's command line: the up and down keys step through the commands sent before.
#pragma once

#include "rcon/CommandHistory.h"
#include "utils/win/MessageMap.h"
#include "utils/win/WindowImplT.h"

#include <string>

namespace Portico {

class CommandEdit : public Utils::WindowImplT<CommandEdit> {
public:
    PORTICO_BEGIN_MSG_MAP()
    PORTICO_MESSAGE_HANDLER(WM_KEYDOWN, OnKeyDown)
    PORTICO_END_MSG_MAP()

    std::u16string Text() const;
    // The line is sent: it goes into the history and the edit is emptied.
    void Sent(const std::u16string& line);

private:
    LRESULT OnKeyDown(UINT, WPARAM key, LPARAM, bool& handled);
    void Show(const std::u16string& line);

    CommandHistory history;
};

} // namespace Portico
