#include "core/win/Plugin.h"

#include "browser/PartnerServers.h"
#include "core/win/IconStrip.h"
#include "region/RegionLibrary.h"
#include "utils/InStreamT.h"
#include "utils/ResolveHost.h"

#include <cstdlib>
#include <ctime>
#include <string>

namespace Portico {
namespace {

uint8_t LookupRegion(uint32_t ip, uint8_t out[3]) {
    return RegionLibrary::Instance().Lookup(ip, out);
}

int32_t WINAPI StoreText(uint32_t textId, const wchar_t* text) {
    if (text)
        Plugin::Instance().state.SetText(
            textId, std::u16string(reinterpret_cast<const char16_t*>(text)));
    return 1;
}

std::wstring Wide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

int32_t WINAPI HandleAuthOK(uintptr_t) {
    Plugin::Instance().OnAuthOK();
    return 0;
}
int32_t WINAPI HandleCateItemClick(uintptr_t item) {
    Plugin::Instance().OnCateItemClick(uint32_t(item & 0xFFFF));
    return 0;
}
int32_t WINAPI HandleMeJoinRoom(uintptr_t) {
    Plugin::Instance().OnMeJoinRoom();
    return 0;
}
int32_t WINAPI HandleMeLeaveRoom(uintptr_t) {
    Plugin::Instance().OnMeLeaveRoom();
    return 0;
}
int32_t WINAPI HandleAppExit(uintptr_t) {
    Plugin::Instance().OnAppExit();
    return 0;
}
int32_t WINAPI HandleUnknownProtocol(uintptr_t record) {
    Plugin::Instance().OnUnknownProtocol(reinterpret_cast<const Host::ProtocolMessageRecord*>(record));
    return 0;
}

} // namespace

Plugin::Plugin() : serverStore(&LookupRegion) {}

Plugin& Plugin::Instance() {
    static Plugin plugin;
    return plugin;
}

void Plugin::OnLoad() {
    std::srand(unsigned(std::time(nullptr)));
    host.RegisterEventHandler(L"OnAuthOK", &HandleAuthOK);
    host.RegisterEventHandler(L"OnCateItemClick", &HandleCateItemClick);
    host.RegisterEventHandler(L"OnMeJoinRoom", &HandleMeJoinRoom);
    host.RegisterEventHandler(L"OnMeLeaveRoom", &HandleMeLeaveRoom);
    host.RegisterEventHandler(L"OnAppExit", &HandleAppExit);
    host.RegisterEventHandler(L"OnUnknownProtocol", &HandleUnknownProtocol);
    if (auto* dependencies =
            static_cast<Host::DependencyService*>(host.QueryService(Host::kDependencyServiceKey)))
        dependencies->AddDependency("com.lumora.portico");
}

void Plugin::OnUnload() { hookMapping.Release(); }

void Plugin::OnAuthOK() {
    chatRoom.Attach(host);
    ReadMyInfo();
    LoadTexts();
    OpenQueryPool();
    browserScheduler.Start();
    roomScheduler.Start();
    const std::wstring title = Wide(state.Text(1)) + L"      ";
    host.AddGameCategory(title.c_str(), Host::kPluginCategory);
    BuildCatalogue();
    buddyList.Attach();
    gameList.Attach(host);
    state.ApplyUserLevel(host.GetUserLevel());
    relay.Request();
    SeedPartnerServers(serverStore, PartnerHostNames(std::getenv(kPartnerHostsVariable)),
                       &Utils::ResolveHost);
    CreateBrowserOnce();
}

void Plugin::OpenQueryPool() {
    // Opened once: reopening under running schedulers would pull sockets from under them.
    if (pool.GetSocket(0))
        return;
    pool.SetPort(kFirstQueryPort);
    if (!pool.Open(2))
        return;
    pool.GetSocket(kBrowserSocket)->SetOwner(&browserScheduler);
    pool.GetSocket(kRoomSocket)->SetOwner(&roomScheduler);
}

void Plugin::ReadMyInfo() {
    auto* myInfo = static_cast<Host::MyInfoService*>(host.QueryService(Host::kMyInfoServiceKey));
    Host::MyInfoRecord record{};
    if (!myInfo || !myInfo->GetMyInfo(&record))
        return;
    const uint32_t raw = record.addressNetworkOrder;
    const auto* b = reinterpret_cast<const uint8_t*>(&raw);
    state.userAddress = uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3];
    state.region = RegionLibrary::Instance().Lookup(state.userAddress, state.country);
}

void Plugin::LoadTexts() {
    state.language = language.LoadLanguageModule(L"Tessel.dll");
    language.EnumTexts(&StoreText);
}

void Plugin::BuildCatalogue() {
    // The strip lives only while the catalogue is built; the icons cut from it live on.
    class Sink : public CatalogueSink {
    public:
        Sink(Plugin& plugin) : plugin(plugin), strip(plugin.skin) {}
        void* ExtractIcon(int32_t cell) override { return strip.ExtractIcon(cell); }
        void ReleaseIcon(void* icon) override { DestroyIcon(static_cast<HICON>(icon)); }
        void AddCategoryItem(const std::u16string& name, void* icon, uint32_t item) override {
            plugin.host.AddCategoryItem(Host::kPluginCategory, Wide(name).c_str(),
                                        static_cast<HICON>(icon), item);
        }

    private:
        Plugin& plugin;
        IconStrip strip;
    } sink(*this);
    state.BuildCatalogue(catalogueSource, sink);
}

void Plugin::CreateBrowserOnce() {
    if (state.browserCreated)
        return;
    HWND window = browser.Create(nullptr);
    if (window)
        hookMapping.Create(window, host.GetMyAccount().userName);
    state.browserCreated = true;
}

void Plugin::OnCateItemClick(uint32_t itemId) {
    if (state.SelectItem(itemId))
        gameList.SelectGame(state.currentGame);
}

void Plugin::OnMeJoinRoom() {
    const uint32_t item = state.EnterRoom(host.GetCurrentRoom().gameId);
    if (item != 0)
        chatRoom.Show(Wide(state.NameAt(item)), static_cast<HICON>(state.IconAt(item)));
}

void Plugin::OnMeLeaveRoom() { chatRoom.Hide(); }

void Plugin::OnAppExit() {
    browser.DestroyWindow();
    chatRoom.Hide();
    // The host is closing: the engines stop here, on the window thread, rather than under the
    // loader's lock at unload.
    browserScheduler.Stop();
    roomScheduler.Stop();
    pool.CloseAll();
}

void Plugin::OnUnknownProtocol(const Host::ProtocolMessageRecord* record) {
    if (!record)
        return;
    const uint32_t length = record->data ? record->length : 0;
    ByteInStream payload(record->data, length);
    relay.Receive(record->type, payload);
}

} // namespace Portico
