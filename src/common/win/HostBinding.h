// The plug-in's view of Lumora.exe: every service resolved once by ordinal from the process's
// main module. A service the host does not export is skipped: its call does nothing and
// answers 0, null or false.
#pragma once

#include "common/HostInfo.h"
#include "common/win/HostApi.h"

#include <string>

namespace Portico {

class HostBinding : public HostInfo {
public:
    // Binds to the process's main executable.
    HostBinding();
    explicit HostBinding(HMODULE host);

    HMODULE Module() const { return host; }

    // HostInfo, for the storage layer.
    std::u16string HostFolder() override;
    std::u16string LanguageCode() override;
    uint32_t MyAccount() override { return GetMyAccount().accountId; }
    bool GetCurrentRoom(CurrentRoom& room) override;

    bool RegisterEventHandler(const wchar_t* eventName, Host::EventHandler handler);
    // The service object of that key, or null.
    void* QueryService(const char* key);
    HWND FindHostView(const char* className);
    std::wstring GetLanguageCode();
    void AddGameCategory(const wchar_t* title, uint32_t categoryId);
    void AddCategoryItem(uint32_t categoryId, const wchar_t* name, HICON icon, uint32_t itemId);
    int32_t GetUserLevel();
    // Empty name and account 0 when the host has no such service.
    Host::AccountRecord GetMyAccount();
    Host::RoomRecord GetCurrentRoom();
    bool SendProtocolMessage(uint32_t type, const void* data, uint32_t length);
    void SetBuddyInfo(uint32_t buddyKey, uint32_t value, const wchar_t* extra);
    void ReportGameStatus(int32_t status);
    void GetGameLaunchInfo(uint32_t gameId, wchar_t* executable, wchar_t* parameters);
    void RequestGameSetup(uint32_t gameId);

private:
    template <typename F> F Resolve(Host::Ordinal ordinal) const {
        return host ? reinterpret_cast<F>(
                          reinterpret_cast<void*>(GetProcAddress(host, MAKEINTRESOURCEA(ordinal))))
                    : nullptr;
    }

    HMODULE host;
    Host::RegisterEventHandlerFn registerEventHandler;
    Host::QueryServiceFn queryService;
    Host::FindHostViewFn findHostView;
    Host::GetLanguageCodeFn getLanguageCode;
    Host::AddGameCategoryFn addGameCategory;
    Host::AddCategoryItemFn addCategoryItem;
    Host::GetUserLevelFn getUserLevel;
    Host::GetMyAccountFn getMyAccount;
    Host::GetCurrentRoomFn getCurrentRoom;
    Host::SendProtocolMessageFn sendProtocolMessage;
    Host::SetBuddyInfoFn setBuddyInfo;
    Host::ReportGameStatusFn reportGameStatus;
    Host::GetGameLaunchInfoFn getGameLaunchInfo;
    Host::RequestGameSetupFn requestGameSetup;
};

} // namespace Portico
