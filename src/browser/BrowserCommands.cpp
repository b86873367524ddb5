#include "browser/BrowserCommands.h"

#include "browser/JoinTarget.h"

namespace Portico {

std::vector<uint32_t> BrowserCommands::ContextMenu() {
    const bool selection = SelectedCount() > 0;
    const bool console = parts.state.RconAllowed();
    if (!browser.InFavourites()) {
        if (!selection)
            return {};
        std::vector<uint32_t> menu{kJoin, kAddFavourite};
        if (console)
            menu.push_back(kRemoteConsole);
        return menu;
    }
    std::vector<uint32_t> menu;
    if (selection) {
        menu = {kJoin, kRemoveFavourite};
        if (console)
            menu.push_back(kRemoteConsole);
        menu.push_back(kSeparator);
    }
    menu.push_back(kAddAddress);
    return menu;
}

void BrowserCommands::Action() {
    Run(browser.InFavourites() ? kAddAddress : kAddFavourite);
}

void BrowserCommands::Run(uint32_t command) {
    switch (command) {
    case kJoin:
        Join(browser.SelectedRow());
        break;
    case kAddFavourite:
        AddSelectedToFavourites();
        break;
    case kAddAddress:
        AddAddress();
        break;
    case kRemoveFavourite:
        RemoveSelectedFavourites();
        break;
    case kRemoteConsole:
        OpenConsole();
        break;
    default:
        break;
    }
}

void BrowserCommands::Join(int32_t row) {
    // The lock stays taken while the password is asked for: it is the window thread's own.
    ServerBrowser::RowsLock guard(browser);
    ServerRows& rows = parts.serverRows;
    const ServerRecord* record = row >= 0 && row < rows.Count() ? rows.RecordAt(row) : nullptr;
    if (!record)
        return;
    const ServerRecord copy = parts.records.Copy(record);
    JoinServer(parts.host, JoinTarget(copy, parts.state.currentGame), copy.info.needPass != 0);
}

void BrowserCommands::AddSelectedToFavourites() {
    ServerBrowser::RowsLock guard(browser);
    // Copies: the rows' own records belong to the scheduler, which other threads write.
    for (ServerRecord& record : browser.Rows().SelectedRecords())
        parts.favourites.AddFavourite(record);
}

void BrowserCommands::RemoveSelectedFavourites() {
    ServerBrowser::RowsLock guard(browser);
    // From the last row up, so that deleting a row moves no row still to be looked at.
    for (int32_t row = parts.serverRows.Count() - 1; row >= 0; --row) {
        if (!parts.serverRows.IsSelected(row))
            continue;
        ServerAddress address;
        if (browser.Rows().AddressAt(row, address))
            parts.favourites.RemoveFavourite(address);
        browser.DeleteRow(row);
    }
}

void BrowserCommands::AddAddress() {
    std::u16string text = lastAddress;
    if (!parts.host.AskAddress(text))
        return;
    lastAddress = text;
    const AddressText::Result result =
        AddressText::Parse(text, uint16_t(parts.state.currentGame), resolve);
    if (result.messageId != 0) {
        parts.host.ShowMessage(result.messageId);
        return;
    }
    // The scheduler shows the row at once and keeps it as a favourite at its first reply.
    parts.scheduler.AddServer(result.address, false);
}

void BrowserCommands::OpenConsole() {
    ServerAddress address;
    GameProtocol* protocol = nullptr;
    {
        ServerBrowser::RowsLock guard(browser);
        const int32_t row = browser.SelectedRow();
        if (row < 0 || !browser.Rows().AddressAt(row, address))
            return;
        ProtocolManager* manager = parts.scheduler.Context().Protocols();
        protocol = manager ? manager->GetProtocol(address.gameId) : nullptr;
    }
    if (protocol && protocol->GetRconKind() != kRconNone)
        parts.host.OpenConsole(address, *protocol);
}

int32_t BrowserCommands::SelectedCount() {
    ServerBrowser::RowsLock guard(browser);
    int32_t count = 0;
    for (int32_t row = parts.serverRows.Count() - 1; row >= 0; --row)
        count += parts.serverRows.IsSelected(row) ? 1 : 0;
    return count;
}

} // namespace Portico
