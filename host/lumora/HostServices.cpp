// The services Lumora.exe exports by ordinal (Lumora.def) and the service objects behind
// QueryService. Every call the plug-in makes is written to the host log.
#include "GameLaunchHost.h"
#include "HostLog.h"
#include "HostState.h"
#include "HostViews.h"

#include "common/win/HostApi.h"
#include "utils/win/WideText.h"

#include <cwchar>

using namespace Portico::Host;

namespace Lumora {
namespace {

std::wstring Text(const wchar_t* text) {
    return text ? text : L"(null)";
}

std::wstring Text(const char* text) {
    return text ? Utils::WideFromUtf8(text) : L"(null)";
}

class Dependencies : public DependencyService {
public:
    const char* ServiceKey() override { return kDependencyServiceKey; }
    int32_t AddDependency(const char* name) override {
        HostLog::Instance().Add(L"AddDependency " + Text(name));
        return 1;
    }
};

class MyInfo : public MyInfoService {
public:
    const char* ServiceKey() override { return kMyInfoServiceKey; }
    bool GetMyInfo(MyInfoRecord* record) override {
        HostState& state = HostState::Instance();
        if (state.addressNetworkOrder == 0)
            return false;
        *record = MyInfoRecord{};
        record->accountId = state.accountId;
        wcsncpy(record->nickName, state.userName.c_str(), 11);
        record->addressNetworkOrder = state.addressNetworkOrder;
        return true;
    }
};

class Events : public EventManager {
public:
    const char* ServiceKey() override { return kEventManagerKey; }
    uint32_t HandlerCount(const wchar_t* eventName) override {
        return uint32_t(HostState::Instance().handlers.count(Text(eventName)));
    }
    bool RaiseEvent(const wchar_t* eventName, void* record) override {
        HostLog::Instance().Add(L"RaiseEvent " + Text(eventName) +
                                LaunchEventText(Text(eventName), record));
        HostState::Instance().Raise(Text(eventName), reinterpret_cast<uintptr_t>(record));
        return true;
    }
};

Dependencies dependencies;
MyInfo myInfo;
Events events;

} // namespace

HostState& HostState::Instance() {
    static HostState state;
    return state;
}

size_t HostState::Raise(const std::wstring& eventName, uintptr_t parameter) {
    std::vector<EventHandler> targets;
    const auto range = handlers.equal_range(eventName);
    for (auto it = range.first; it != range.second; ++it)
        targets.push_back(it->second);
    for (EventHandler handler : targets)
        handler(parameter);
    return targets.size();
}

} // namespace Lumora

using Lumora::Format;
using Lumora::HostLog;
using Lumora::HostState;

extern "C" {

void WINAPI AddHostLogLine(const wchar_t* line) {
    if (line)
        HostLog::Instance().Add(line);
}

BOOL WINAPI RegisterEventHandler(const wchar_t* eventName, EventHandler handler) {
    if (!eventName || !handler)
        return FALSE;
    HostState::Instance().handlers.emplace(eventName, handler);
    HostLog::Instance().Add(L"RegisterEventHandler " + Lumora::Text(eventName));
    return TRUE;
}

void* WINAPI QueryService(const char* key) {
    const std::string name = key ? key : "";
    HostLog::Instance().Add(L"QueryService " + Lumora::Text(key));
    if (name == kDependencyServiceKey)
        return static_cast<DependencyService*>(&Lumora::dependencies);
    if (name == kMyInfoServiceKey)
        return static_cast<MyInfoService*>(&Lumora::myInfo);
    if (name == kEventManagerKey)
        return static_cast<EventManager*>(&Lumora::events);
    return nullptr;
}

HWND WINAPI FindHostView(const char* className) {
    HWND view = className ? Lumora::FindView(Lumora::Text(className)) : nullptr;
    HostLog::Instance().Add(Format(L"FindHostView %ls %ls", Lumora::Text(className).c_str(),
                                   view ? L"found" : L"missing"));
    return view;
}

const wchar_t* WINAPI GetLanguageCode() {
    return HostState::Instance().languageCode.c_str();
}

void WINAPI AddGameCategory(const wchar_t* title, uint32_t categoryId) {
    HostLog::Instance().Add(
        Format(L"AddGameCategory %u \"%ls\"", categoryId, Lumora::Text(title).c_str()));
    Lumora::GameList().AddCategory(categoryId, Lumora::Text(title));
}

void WINAPI AddCategoryItem(uint32_t categoryId, const wchar_t* name, HICON icon, uint32_t itemId) {
    HostLog::Instance().Add(Format(L"AddCategoryItem %u %u \"%ls\" icon=%ls", categoryId, itemId,
                                   Lumora::Text(name).c_str(), icon ? L"yes" : L"no"));
    Lumora::GameList().AddItem(categoryId, itemId, Lumora::Text(name), icon);
}

int32_t WINAPI GetUserLevel() {
    return HostState::Instance().userLevel;
}

void WINAPI GetMyAccount(AccountRecord* record) {
    if (!record)
        return;
    *record = AccountRecord{};
    record->accountId = HostState::Instance().accountId;
    wcsncpy(record->userName, HostState::Instance().userName.c_str(), 63);
}

void WINAPI GetCurrentRoom(RoomRecord* record) {
    if (record)
        *record = HostState::Instance().room;
}

uint8_t WINAPI SendProtocolMessage(uint32_t type, const void* data, uint32_t length) {
    std::wstring hex;
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (uint32_t i = 0; bytes && i < length; ++i)
        hex += Format(L"%02x", bytes[i]);
    HostLog::Instance().Add(Format(L"SendProtocolMessage %u %u %ls", type, length, hex.c_str()));
    return 1;
}

void WINAPI SetBuddyInfo(uint32_t buddyKey, uint32_t value, const wchar_t* extra) {
    HostLog::Instance().Add(
        Format(L"SetBuddyInfo %u %u %ls", buddyKey, value,
               extra ? (L"\"" + std::wstring(extra) + L"\"").c_str() : L"(null)"));
    Lumora::ShowBuddy(buddyKey, value == 0 && !extra ? std::wstring()
                                                     : Format(L"buddy %u: game %u %ls", buddyKey,
                                                              value, extra ? extra : L""));
}

} // extern "C"
