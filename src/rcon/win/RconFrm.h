// The modal "RCON Console" dialog on template 2004: asks for the password, opens the channel
// of the server's game, sends each command typed and shows the commands and every answer in a
// bounded, scrolling pane. The transports reach it only through kMsgRconNotify.
#pragma once

#include "abi/ProtocolInterface.h"
#include "common/Messages.h"
#include "common/ResourceIds.h"
#include "rcon/ConsoleOutput.h"
#include "rcon/ConsoleText.h"
#include "rcon/RconSession.h"
#include "rcon/win/CommandEdit.h"
#include "utils/win/DialogImplT.h"
#include "utils/win/MessageMap.h"

#include <cstddef>
#include <string>

namespace Portico {

class LanguageLibrary;

class RconFrm : public Utils::DialogImplT<RconFrm>, private MessageWindow {
public:
    static constexpr int kDialogId = IDD_CONSOLE;
    // Characters the output pane keeps; the oldest lines go beyond that.
    static constexpr size_t kPaneChars = 256 * 1024;

    // game: the server's protocol (null: the dialog ends at once). paneChars: for tests.
    RconFrm(const ServerAddress& server, GameProtocol* game, LanguageLibrary& language,
            void* languageHandle, size_t paneChars = kPaneChars);

    PORTICO_BEGIN_MSG_MAP()
    PORTICO_MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    PORTICO_MESSAGE_HANDLER(WM_CLOSE, OnClose)
    PORTICO_MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    PORTICO_MESSAGE_HANDLER(kMsgRconNotify, OnNotify)
    PORTICO_COMMAND_ID_HANDLER(IDC_CONSOLE_SEND, OnSend)
    PORTICO_COMMAND_ID_HANDLER(IDC_CONSOLE_CLOSE, OnCloseButton)
    PORTICO_END_MSG_MAP()

private:
    // The session's notifications, from its threads, become window messages.
    intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnClose(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnNotify(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnSend(WORD, WORD, HWND, bool&);
    LRESULT OnCloseButton(WORD, WORD, HWND, bool&);

    // Asks for the password and opens the channel; false when the dialog is to end.
    bool Open();
    void Show(ConsoleKind kind, const std::u16string& text);
    // A message box with the text, then the dialog ends.
    void Fail(uint32_t textId);
    void EnableInput(bool enable);
    std::u16string Text(uint32_t textId);

    RconSession session;
    ConsoleOutput pane;
    const size_t paneChars;
    CommandEdit input;
    LanguageLibrary& language;
    void* const languageHandle;
    std::u16string prefixes[3];
    bool prefixesRead = false;
    bool ending = false;
};

} // namespace Portico
