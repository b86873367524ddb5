// The contract between Lumora.exe, its skin and language libraries, and the plug-in: export
// ordinals, function types, the records passed by address and the service objects. Both the
// plug-in and the stand-in host are built from this header.
#pragma once

#include "common/LaunchRecords.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace Portico::Host {

// Lumora.exe exports its services by these ordinals only.
enum Ordinal : uint16_t {
    kOrdRegisterEventHandler = 1,
    kOrdQueryService = 2,
    kOrdFindHostView = 3,
    kOrdGetLanguageCode = 4,
    kOrdAddGameCategory = 5,
    kOrdAddCategoryItem = 6,
    kOrdGetUserLevel = 7,
    kOrdGetMyAccount = 8,
    kOrdGetCurrentRoom = 9,
    kOrdSendProtocolMessage = 10,
    kOrdSetBuddyInfo = 11,
    kOrdReportGameStatus = 12,
    kOrdGetGameLaunchInfo = 13,
    kOrdRequestGameSetup = 14,
};

// The language library's ordinals; the plug-in takes 1 to 13 into its table.
enum LanguageOrdinal : uint16_t {
    kLangLoadLanguageModule = 1,
    kLangTranslateDialog = 2,
    kLangGetMenuText = 3,
    kLangGetText = 4,
    kLangFreeLanguageModule = 5,
    kLangGetLanguageName = 6,
    kLangGetTextCount = 7,
    kLangEnumTexts = 8,
    kLangGetFlagIcon = 9,
    kLangGetCountryName = 10,
    kLangHasText = 11,
    kLangGetDialogText = 12,
    kLangGetLibraryVersion = 13,
    kLanguageOrdinals = 13,
};

constexpr uint32_t kPluginCategory = 6;
// The game-list view announces a category selection with this message (lParam: the category
// id) and switches the host to a game on this command (high word: the game id).
constexpr UINT kCategorySelectedMessage = 0x824E;
constexpr WORD kSelectGameCommand = 500;
constexpr uint16_t kHostIconStripResource = 39008;
using Portico::kLaunchPathChars; // GetGameLaunchInfo's two buffers

// Event handlers take one argument (a pointer for "OnUnknownProtocol") and return 0.
using EventHandler = int32_t(WINAPI*)(uintptr_t parameter);

struct AccountRecord {
    uint32_t accountId;
    wchar_t userName[64]; // zero-terminated
};
static_assert(offsetof(AccountRecord, userName) == 4, "user name follows the account id");

struct RoomRecord {
    uint32_t gameId;
    uint32_t unused;
    uint32_t areaId;
};
static_assert(sizeof(RoomRecord) == 12, "room record is three 32-bit fields");

// Filled by the "com.lumora.data.myinfo" service.
struct MyInfoRecord {
    uint32_t accountId;
    wchar_t nickName[12];
    uint32_t addressNetworkOrder;
    uint8_t reserved[28];
};
static_assert(offsetof(MyInfoRecord, addressNetworkOrder) == 28, "address at offset 28");

// Handed to "OnUnknownProtocol"; the host owns it for the length of the call.
struct ProtocolMessageRecord {
    uint8_t type;
    uint8_t alignment[3];
    uint32_t length;
    const uint8_t* data;
};
static_assert(offsetof(ProtocolMessageRecord, length) == 4, "protocol record layout");
static_assert(offsetof(ProtocolMessageRecord, data) == 8, "protocol record layout");

// Service objects from QueryService. The plug-in uses the second operation of each, and the
// third of the event manager.
class DependencyService {
public:
    virtual const char* ServiceKey() = 0;
    virtual int32_t AddDependency(const char* name) = 0;
};

class MyInfoService {
public:
    virtual const char* ServiceKey() = 0;
    virtual bool GetMyInfo(MyInfoRecord* record) = 0;
};

class EventManager {
public:
    virtual const char* ServiceKey() = 0;
    virtual uint32_t HandlerCount(const wchar_t* eventName) = 0;
    virtual bool RaiseEvent(const wchar_t* eventName, void* record) = 0;
};

constexpr char kDependencyServiceKey[] = "com.lumora.service.dep";
constexpr char kMyInfoServiceKey[] = "com.lumora.data.myinfo";
constexpr char kEventManagerKey[] = "com.lumora.event.manager";

// Lumora.exe services.
using RegisterEventHandlerFn = BOOL(WINAPI*)(const wchar_t* eventName, EventHandler handler);
using QueryServiceFn = void*(WINAPI*)(const char* key);
using FindHostViewFn = HWND(WINAPI*)(const char* className);
using GetLanguageCodeFn = const wchar_t*(WINAPI*)();
using AddGameCategoryFn = void(WINAPI*)(const wchar_t* title, uint32_t categoryId);
using AddCategoryItemFn = void(WINAPI*)(uint32_t categoryId, const wchar_t* name, HICON icon,
                                        uint32_t itemId);
using GetUserLevelFn = int32_t(WINAPI*)();
using GetMyAccountFn = void(WINAPI*)(AccountRecord* record);
using GetCurrentRoomFn = void(WINAPI*)(RoomRecord* record);
using SendProtocolMessageFn = uint8_t(WINAPI*)(uint32_t type, const void* data, uint32_t length);
using SetBuddyInfoFn = void(WINAPI*)(uint32_t buddyKey, uint32_t value, const wchar_t* extra);
using ReportGameStatusFn = void(WINAPI*)(int32_t status);
using GetGameLaunchInfoFn = void(WINAPI*)(uint32_t gameId, wchar_t* executable,
                                          wchar_t* parameters);
using RequestGameSetupFn = void(WINAPI*)(uint32_t gameId);

// LumoraSkin1.dll, by name.
using GetImageFromSkinFn = HBITMAP(WINAPI*)(const wchar_t* imageName);
using GetColorFn = COLORREF(WINAPI*)(const wchar_t* colourName);
using TrackSkinPopupMenuFn = BOOL(WINAPI*)(HMENU menu, UINT flags, int x, int y, HWND owner);

// dlls\Verbena.dll, by ordinal.
using TextEnumCallback = int32_t(WINAPI*)(uint32_t textId, const wchar_t* text);
using LoadLanguageModuleFn = void*(WINAPI*)(const wchar_t* moduleName);
using TranslateDialogFn = BOOL(WINAPI*)(void* language, HWND dialog, uint32_t dialogId);
using GetMenuTextFn = const wchar_t*(WINAPI*)(void* language, uint32_t textId);
using GetTextFn = const wchar_t*(WINAPI*)(void* language, uint32_t textId);
using EnumTextsFn = void(WINAPI*)(TextEnumCallback callback);
using GetFlagIconFn = HBITMAP(WINAPI*)(uint16_t countryCode);

} // namespace Portico::Host
