// What the user does to servers in the browser window: the context menus, join, add and
// remove favourites, add a server by its address, and the remote console.
#pragma once

#include "browser/AddressText.h"
#include "browser/ServerBrowser.h"
#include "common/ResourceIds.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Portico {

class BrowserCommands {
public:
    static constexpr uint32_t kJoin = IDM_JOIN;
    static constexpr uint32_t kAddFavourite = IDM_ADD_FAVOURITE;
    static constexpr uint32_t kAddAddress = IDM_ADD_ADDRESS;
    static constexpr uint32_t kRemoveFavourite = IDM_REMOVE_FAVOURITE;
    static constexpr uint32_t kRemoteConsole = IDM_REMOTE_CONSOLE;
    static constexpr uint32_t kSeparator = 0;

    BrowserCommands(ServerBrowser& browser, AddressText::Resolver resolve)
        : browser(browser), parts(browser.Parts()), resolve(resolve) {}

    // The context menu for the selection; empty when none is to be shown.
    std::vector<uint32_t> ContextMenu();
    // The action button: add to favourites, or add an address in the favourites tab.
    void Action();
    // A menu command; other ids do nothing.
    void Run(uint32_t command);
    // Join the server of a row (the focused row, or the row double-clicked).
    void Join(int32_t row);

    const std::u16string& LastAddress() const { return lastAddress; }

private:
    void AddSelectedToFavourites();
    void RemoveSelectedFavourites();
    void AddAddress();
    void OpenConsole();
    int32_t SelectedCount();

    ServerBrowser& browser;
    const BrowserParts& parts;
    AddressText::Resolver resolve;
    std::u16string lastAddress; // the address text last entered, offered again next time
};

} // namespace Portico
