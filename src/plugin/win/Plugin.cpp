#include "plugin/win/Plugin.h"

#include "browser/PartnerServers.h"
#include "common/Messages.h"
#include "plugin/win/IconStrip.h"
#include "region/RegionLibrary.h"
#include "utils/InStreamT.h"
#include "utils/ResolveHost.h"
#include "utils/win/MessageMap.h"
#include "utils/win/WideText.h"

#include <cstdlib>
#include <ctime>
#include <exception>
#include <string>

namespace Portico {
namespace {

// The window framework hands reflected notifications to our controls from kReflectedBase on,
// where the private messages live too: no reflected message may be taken for one of ours.
constexpr bool ReflectedMessagesAreNotPrivate() {
    for (uint32_t message : kPrivateMessages) {
        if (Utils::IsReflectedMessage(message))
            return false;
    }
    return true;
}
static_assert(ReflectedMessagesAreNotPrivate(), "a reflected message collides with a private one");

uint8_t LookupRegion(uint32_t ip, uint8_t out[3]) {
    return RegionLibrary::Instance().Lookup(ip, out);
}

int32_t WINAPI StoreText(uint32_t textId, const wchar_t* text) {
    if (text)
        Plugin::Instance().state.SetText(textId,
                                         std::u16string(reinterpret_cast<const char16_t*>(text)));
    return 1;
}

// No exception may unwind into the host: it is noted for a debugger and the event ends.
template <typename Action> int32_t Guarded(const wchar_t* event, Action action) {
    try {
        action(Plugin::Instance());
    } catch (const std::exception& error) {
        const std::string what = error.what();
        OutputDebugStringW(
            (std::wstring(L"Tessel: ") + event + L": " + std::wstring(what.begin(), what.end()))
                .c_str());
    } catch (...) {
        OutputDebugStringW((std::wstring(L"Tessel: ") + event + L": unknown exception").c_str());
    }
    return 0;
}

int32_t WINAPI HandleAuthOK(uintptr_t) {
    return Guarded(L"OnAuthOK", [](Plugin& plugin) { plugin.OnAuthOK(); });
}
int32_t WINAPI HandleCateItemClick(uintptr_t item) {
    return Guarded(L"OnCateItemClick",
                   [item](Plugin& plugin) { plugin.OnCateItemClick(uint32_t(item & 0xFFFF)); });
}
int32_t WINAPI HandleMeJoinRoom(uintptr_t) {
    return Guarded(L"OnMeJoinRoom", [](Plugin& plugin) { plugin.OnMeJoinRoom(); });
}
int32_t WINAPI HandleMeLeaveRoom(uintptr_t) {
    return Guarded(L"OnMeLeaveRoom", [](Plugin& plugin) { plugin.OnMeLeaveRoom(); });
}
int32_t WINAPI HandleAppExit(uintptr_t) {
    return Guarded(L"OnAppExit", [](Plugin& plugin) { plugin.OnAppExit(); });
}
int32_t WINAPI HandleUnknownProtocol(uintptr_t record) {
    return Guarded(L"OnUnknownProtocol", [record](Plugin& plugin) {
        plugin.OnUnknownProtocol(reinterpret_cast<const Host::ProtocolMessageRecord*>(record));
    });
}

// Lets messages that other threads sent to this thread through, waiting a little for them.
void PumpSentMessages() {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

} // namespace

Plugin::Plugin()
    : serverStore(&LookupRegion),
      engine(state, userStore.GetFavourites(), &ProtocolLibrary::Manager) {}

Plugin::~Plugin() {
    chatRoom.Close(&PumpSentMessages);
    engine.Shutdown(&PumpSentMessages);
}

// Made on the heap and let go only by an unload: at process end other threads were stopped
// wherever they stood, perhaps holding a lock that a teardown would wait for.
Plugin& Plugin::Instance() {
    static Plugin* const plugin = new Plugin;
    return *plugin;
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

void Plugin::OnUnload(bool processEnding) {
    hookMapping.Release();
    if (!processEnding)
        delete this;
}

void Plugin::OnAuthOK() {
    chatRoom.Attach();
    ReadMyInfo();
    LoadTexts();
    if (engine.Open(kFirstQueryPort)) {
        HoldModule();
        engine.Browser().Start();
        engine.Room().Start();
    }
    const std::wstring title = Utils::AsWide(state.Text(1)) + std::wstring(L"      ");
    host.AddGameCategory(title.c_str(), Host::kPluginCategory);
    BuildCatalogue();
    buddyList.Attach();
    engine.SetProbeWindow(&buddyList);
    gameList.Attach(host);
    state.ApplyUserLevel(host.GetUserLevel());
    relay.Request();
    SeedPartnerServers(serverStore, PartnerHostNames(std::getenv(kPartnerHostsVariable)),
                       &Utils::ResolveHost);
    CreateBrowserOnce();
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
            plugin.host.AddCategoryItem(Host::kPluginCategory, Utils::AsWide(name),
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
    launchSystem.SetBrowserWindow(window);
    state.browserCreated = true;
}

void Plugin::OnCateItemClick(uint32_t itemId) {
    if (!state.SelectItem(itemId))
        return;
    gameList.SelectGame(state.currentGame);
    browser.Show();
}

void Plugin::OnMeJoinRoom() {
    const uint32_t item = state.EnterRoom(host.GetCurrentRoom().gameId);
    if (item != 0)
        chatRoom.Show(Utils::AsWide(state.NameAt(item)), static_cast<HICON>(state.IconAt(item)));
}

void Plugin::OnMeLeaveRoom() {
    chatRoom.Hide();
}

void Plugin::OnAppExit() {
    browser.DestroyWindow();
    chatRoom.Hide();
    // No room list is fetched or sent any more; one on its way is let through.
    chatRoom.Close(&PumpSentMessages);
    // The host is closing: the engine stops here, on the window thread, rather than under the
    // loader's lock at unload.
    engine.Shutdown(&PumpSentMessages);
    ReleaseModule();
}

void Plugin::HoldModule() {
    if (!selfReference)
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           reinterpret_cast<LPCWSTR>(&HandleAuthOK), &selfReference);
}

// The host still holds its own reference while it runs our handler: this never unloads.
void Plugin::ReleaseModule() {
    if (HMODULE held = selfReference) {
        selfReference = nullptr;
        FreeLibrary(held);
    }
}

void Plugin::OnUnknownProtocol(const Host::ProtocolMessageRecord* record) {
    if (!record)
        return;
    const uint32_t length = record->data ? record->length : 0;
    ByteInStream payload(record->data, length);
    relay.Receive(record->type, payload);
}

} // namespace Portico
