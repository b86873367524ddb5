// The plug-in's main browser window, a modeless dialog on template 2001 that starts hidden.
// Its closing box hides it; only the host's exit destroys it.
#pragma once

#include "common/ResourceIds.h"
#include "utils/win/DialogImplT.h"
#include "utils/win/MessageMap.h"

namespace Portico {

class LanguageLibrary;
class PluginState;

class FPSFrame : public Utils::DialogImplT<FPSFrame> {
public:
    static constexpr int kDialogId = IDD_BROWSER;

    FPSFrame(PluginState& state, LanguageLibrary& language) : state(state), language(language) {}

    PORTICO_BEGIN_MSG_MAP()
    PORTICO_MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    PORTICO_MESSAGE_HANDLER(WM_CLOSE, OnClose)
    PORTICO_MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    PORTICO_REFLECT_NOTIFICATIONS()
    PORTICO_END_MSG_MAP()

    virtual BOOL PreTranslateMessage(MSG* message);
    virtual void Show();
    virtual void Hide();
    virtual void Resize(int width, int height);
    virtual HWND GetHwnd() { return Hwnd(); }

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnClose(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool&);
    // The servers' context menu; the remote console is offered only to users allowed it.
    void BuildServerMenu();
    void AppendMenuText(HMENU menu, UINT command);

    PluginState& state;
    LanguageLibrary& language;
    HMENU serverMenu = nullptr;
};

} // namespace Portico
