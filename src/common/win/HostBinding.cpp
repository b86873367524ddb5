#include "common/win/HostBinding.h"

#include "utils/ExecutableFolder.h"
#include "utils/Utf.h"
#include "utils/win/WideText.h"

namespace Portico {

HostBinding::HostBinding() : HostBinding(GetModuleHandleW(nullptr)) {}

HostBinding::HostBinding(HMODULE host)
    : host(host),
      registerEventHandler(Resolve<Host::RegisterEventHandlerFn>(Host::kOrdRegisterEventHandler)),
      queryService(Resolve<Host::QueryServiceFn>(Host::kOrdQueryService)),
      findHostView(Resolve<Host::FindHostViewFn>(Host::kOrdFindHostView)),
      getLanguageCode(Resolve<Host::GetLanguageCodeFn>(Host::kOrdGetLanguageCode)),
      addGameCategory(Resolve<Host::AddGameCategoryFn>(Host::kOrdAddGameCategory)),
      addCategoryItem(Resolve<Host::AddCategoryItemFn>(Host::kOrdAddCategoryItem)),
      getUserLevel(Resolve<Host::GetUserLevelFn>(Host::kOrdGetUserLevel)),
      getMyAccount(Resolve<Host::GetMyAccountFn>(Host::kOrdGetMyAccount)),
      getCurrentRoom(Resolve<Host::GetCurrentRoomFn>(Host::kOrdGetCurrentRoom)),
      sendProtocolMessage(Resolve<Host::SendProtocolMessageFn>(Host::kOrdSendProtocolMessage)),
      setBuddyInfo(Resolve<Host::SetBuddyInfoFn>(Host::kOrdSetBuddyInfo)),
      reportGameStatus(Resolve<Host::ReportGameStatusFn>(Host::kOrdReportGameStatus)),
      getGameLaunchInfo(Resolve<Host::GetGameLaunchInfoFn>(Host::kOrdGetGameLaunchInfo)),
      requestGameSetup(Resolve<Host::RequestGameSetupFn>(Host::kOrdRequestGameSetup)) {}

std::u16string HostBinding::HostFolder() {
    return Utils::Utf::ToUtf16(Utils::ExecutableFolder());
}

std::u16string HostBinding::LanguageCode() {
    return std::u16string(Utils::AsUtf16(GetLanguageCode()));
}

bool HostBinding::GetCurrentRoom(CurrentRoom& room) {
    if (!getCurrentRoom)
        return false;
    const Host::RoomRecord record = GetCurrentRoom();
    room.gameId = record.gameId;
    room.areaId = record.areaId;
    return true;
}

bool HostBinding::RegisterEventHandler(const wchar_t* eventName, Host::EventHandler handler) {
    return registerEventHandler && registerEventHandler(eventName, handler);
}

void* HostBinding::QueryService(const char* key) {
    return queryService ? queryService(key) : nullptr;
}

HWND HostBinding::FindHostView(const char* className) {
    return findHostView ? findHostView(className) : nullptr;
}

std::wstring HostBinding::GetLanguageCode() {
    const wchar_t* code = getLanguageCode ? getLanguageCode() : nullptr;
    return code ? std::wstring(code) : std::wstring();
}

void HostBinding::AddGameCategory(const wchar_t* title, uint32_t categoryId) {
    if (addGameCategory)
        addGameCategory(title, categoryId);
}

void HostBinding::AddCategoryItem(uint32_t categoryId, const wchar_t* name, HICON icon,
                                  uint32_t itemId) {
    if (addCategoryItem)
        addCategoryItem(categoryId, name, icon, itemId);
}

int32_t HostBinding::GetUserLevel() {
    return getUserLevel ? getUserLevel() : 0;
}

Host::AccountRecord HostBinding::GetMyAccount() {
    Host::AccountRecord record{};
    if (getMyAccount)
        getMyAccount(&record);
    // The name is the host's text: make sure it ends inside the record.
    record.userName[sizeof(record.userName) / sizeof(record.userName[0]) - 1] = 0;
    return record;
}

Host::RoomRecord HostBinding::GetCurrentRoom() {
    Host::RoomRecord record{};
    if (getCurrentRoom)
        getCurrentRoom(&record);
    return record;
}

bool HostBinding::SendProtocolMessage(uint32_t type, const void* data, uint32_t length) {
    return sendProtocolMessage && sendProtocolMessage(type, data, length) != 0;
}

void HostBinding::SetBuddyInfo(uint32_t buddyKey, uint32_t value, const wchar_t* extra) {
    if (setBuddyInfo)
        setBuddyInfo(buddyKey, value, extra);
}

void HostBinding::ReportGameStatus(int32_t status) {
    if (reportGameStatus)
        reportGameStatus(status);
}

void HostBinding::GetGameLaunchInfo(uint32_t gameId, wchar_t* executable, wchar_t* parameters) {
    if (getGameLaunchInfo)
        getGameLaunchInfo(gameId, executable, parameters);
}

void HostBinding::RequestGameSetup(uint32_t gameId) {
    if (requestGameSetup)
        requestGameSetup(gameId);
}

} // namespace Portico
