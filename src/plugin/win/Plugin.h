// The module's one instance: the plug-in-wide state, the host binding, the long-lived window
// objects and engines, and the six host events that drive them.
#pragma once

#include "browser/ServerStore.h"
#include "browser/win/FPSFrame.h"
#include "common/PluginState.h"
#include "common/win/HostBinding.h"
#include "common/win/LanguageLibrary.h"
#include "common/win/SkinLibrary.h"
#include "panels/BuddyServerRelay.h"
#include "panels/win/BuddyListParent.h"
#include "panels/win/CChatRoomView.h"
#include "panels/win/GameListParent.h"
#include "plugin/GameLauncher.h"
#include "plugin/HostCatalogueSource.h"
#include "plugin/QueryEngine.h"
#include "plugin/win/HookMapping.h"
#include "plugin/win/PluginBrowserHost.h"
#include "plugin/win/PluginContext.h"
#include "plugin/win/WinLaunchSystem.h"
#include "query/ProtocolLibrary.h"
#include "serverlist/ServerListCache.h"
#include "storage/UserStore.h"

namespace Portico {

class Plugin {
public:
    static constexpr uint16_t kFirstQueryPort = 20100;

    static Plugin& Instance();

    // Module entry: process attach and detach. An unload before the process ends destroys
    // the instance; the module cannot be unloaded while the engine's threads run.
    void OnLoad();
    void OnUnload(bool processEnding);

    // Host events; all run on the host's window thread.
    void OnAuthOK();
    void OnCateItemClick(uint32_t itemId);
    void OnMeJoinRoom();
    void OnMeLeaveRoom();
    void OnAppExit();
    void OnUnknownProtocol(const Host::ProtocolMessageRecord* record);

    PluginState state;
    HostBinding host;
    SkinLibrary skin;
    LanguageLibrary language;
    HookMapping hookMapping;
    UserStore userStore{host}; // owns the favourites
    ServerStore serverStore;
    QueryEngine engine;
    PluginContext context{*this};
    BuddyServerRelay relay{context};
    WinLaunchSystem launchSystem{host};
    GameLauncher launcher{launchSystem, state, &ProtocolLibrary::Manager};
    PluginBrowserHost browserHost{state, language, host, relay, launcher};
    FPSFrame browser{BrowserWindowParts{state, language, skin, host, userStore, engine.Browser(),
                                        serverStore, engine, browserHost}};
    ServerListCache roomLists{host};
    CChatRoomView chatRoom{ChatRoomViewParts{state, language, skin, host, engine.Room(), roomLists,
                                             browserHost, browser}};
    BuddyListParent buddyList{host, browserHost};
    GameListParent gameList;

private:
    Plugin();
    // The engine stops before any window object or the state it reads is gone.
    ~Plugin();

    void ReadMyInfo();
    void HoldModule();
    void ReleaseModule();
    void LoadTexts();
    void BuildCatalogue();
    void CreateBrowserOnce();

    HostCatalogueSource catalogueSource{host};
    // Our own reference to the module while the engine's threads run: a host that frees the
    // module without "OnAppExit" leaves it loaded rather than join threads under the loader's
    // lock (which they need to end) or unmap the code they run.
    HMODULE selfReference = nullptr;
};

} // namespace Portico
