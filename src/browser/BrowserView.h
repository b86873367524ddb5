// The browser window's own controls as the browser's rules drive them. The Win32 window
// implements it (texts from the language library, SetTimer on its handle); tests record.
#pragma once

#include <cstdint>

namespace Portico {

class BrowserView {
public:
    static constexpr uint32_t kDetailTimer = 1282;
    static constexpr uint32_t kRefreshTimer = 1283;

    // The Refresh button's text: a language text id.
    virtual void SetRefreshText(uint32_t textId) = 0;
    virtual void EnableRefresh(bool enabled) = 0;
    // The action button's text: the menu text of a command.
    virtual void SetActionText(uint32_t commandId) = 0;
    // Shows or hides the region tree and places the lists beside it or at the left edge
    // (BrowserLayout::ListLeftOnEnter).
    virtual void ShowTree(bool shown) = 0;
    // Starting a running timer restarts it.
    virtual void StartTimer(uint32_t id, uint32_t ms) = 0;
    virtual void StopTimer(uint32_t id) = 0;

protected:
    ~BrowserView() = default;
};

} // namespace Portico
