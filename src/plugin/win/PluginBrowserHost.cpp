#include "plugin/win/PluginBrowserHost.h"

#include "browser/AddressText.h"
#include "browser/win/NewAddr.h"
#include "browser/win/PwdInput.h"
#include "common/PluginState.h"
#include "common/win/HostBinding.h"
#include "panels/BuddyServerRelay.h"
#include "plugin/GameLauncher.h"
#include "rcon/win/RconFrm.h"
#include "utils/win/WideText.h"

namespace Portico {
namespace {

constexpr uint32_t kMessageCaption = 101;

} // namespace

void PluginBrowserHost::ShowMessage(uint32_t textId) {
    MessageBoxW(GetActiveWindow(), language.GetText(state.language, textId).c_str(),
                language.GetText(state.language, kMessageCaption).c_str(), MB_OK);
}

bool PluginBrowserHost::AskAddress(std::u16string& text) {
    NewAddr dialog(language, state.language, Utils::AsWide(text));
    if (dialog.DoModal(GetActiveWindow()) != NewAddr::kOk)
        return false;
    text = AddressText::Cut(std::u16string(Utils::AsUtf16(dialog.Text())));
    return true;
}

bool PluginBrowserHost::AskPassword(std::u16string& password) {
    PwdInput dialog(language, state.language);
    if (dialog.DoModal(GetActiveWindow()) != PwdInput::kOk)
        return false;
    password = std::u16string(Utils::AsUtf16(dialog.Text()));
    return true;
}

void PluginBrowserHost::Launch(const ServerAddress& address, const std::u16string* password) {
    launcher.Launch(address, password);
}

void PluginBrowserHost::OpenConsole(const ServerAddress& address, GameProtocol& protocol) {
    RconFrm console(address, &protocol, language, state.language);
    console.DoModal(GetActiveWindow());
}

void PluginBrowserHost::ReportGameStatus(int32_t status) {
    host.ReportGameStatus(status);
}

void PluginBrowserHost::Announce(uint32_t ip, uint16_t port) {
    relay.Announce(ip, port);
}

} // namespace Portico
