#include "Generations.h"

#include "serverlist/ServerListStore.h"
#include "storage/DatabaseSqlite.h"
#include "storage/StorePaths.h"
#include "storage/UserStore.h"
#include "utils/Utf.h"

#include <string>

namespace Trials {

namespace {

constexpr uint32_t kFavourites = 1000;
constexpr uint32_t kSmallFavourites = 200;
constexpr uint32_t kServers = 50000;
constexpr uint32_t kSmallServers = 1000;

} // namespace

std::vector<Portico::ServerRecord> FavouritesOf(uint32_t generation) {
    const uint32_t count = generation >= kSmallGenerations ? kSmallFavourites : kFavourites;
    std::vector<Portico::ServerRecord> favourites(count);
    for (uint32_t i = 0; i < count; ++i) {
        Portico::ServerRecord& record = favourites[i];
        record = Portico::ServerRecord();
        record.ip = 0x0A000000u + (generation % 8192) * kFavourites + i;
        record.port = uint16_t(27015 + i % 4);
        record.gameId = 1003;
        record.info.needPass = (generation + i) & 1;
        // A quote in every name: the store doubles it in its SQL text.
        const std::string name =
            "Server " + std::to_string(generation) + "-" + std::to_string(i) + " Joe's";
        const std::u16string wide = Utils::Utf::ToUtf16({name.data(), name.size()});
        Utils::Utf::CopyToField(record.info.name, 128,
                                std::u16string_view(wide.data(), wide.size()));
    }
    return favourites;
}

std::vector<Portico::ServerAddress> ServersOf(uint32_t generation) {
    const uint32_t count = generation >= kSmallGenerations ? kSmallServers : kServers;
    std::vector<Portico::ServerAddress> servers(count);
    for (uint32_t i = 0; i < count; ++i) {
        servers[i].ip = 0x0B000000u + (generation % 300) * kServers + i;
        servers[i].port = uint16_t(20000 + generation % 40000);
        servers[i].gameId = 0;
    }
    return servers;
}

bool SaveFavourites(Portico::HostInfo& host, uint32_t generation,
                    const std::function<void()>& beforeSave) {
    Portico::UserStore store(host);
    bool inFavourites = false;
    uint32_t filter = 0;
    store.LoadUserStore(inFavourites, filter);
    store.GetFavourites().Replace(FavouritesOf(generation));
    if (beforeSave)
        beforeSave();
    return store.SaveUserStore(InFavouritesOf(generation), FilterOf(generation));
}

bool SaveServers(Portico::HostInfo& host, uint32_t generation,
                 const std::function<void()>& beforeWrite) {
    Utils::DatabaseSqlite database;
    Portico::ServerListStore store(database);
    const bool opened = store.Open(Portico::UserStoreFilePath(host));
    const std::vector<Portico::ServerAddress> servers = ServersOf(generation);
    if (beforeWrite)
        beforeWrite();
    return opened && store.WriteArea(kArea, ListTimeOf(generation), servers);
}

} // namespace Trials
