// Goals: decode and store a list of 50,000 servers in under 0.3 s (the download is not
// part of it); load and save 1,000 favourites in under 50 ms.
#include "FakeHost.h"

#include "serverlist/ServerListEncoder.h"
#include "serverlist/ServerListFile.h"
#include "serverlist/ServerListStore.h"
#include "storage/StorePaths.h"
#include "storage/UserStore.h"
#include "utils/Utf.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace Portico;

namespace {

std::u16string Digits(size_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::vector<ServerAddress> Servers(size_t count) {
    std::vector<ServerAddress> servers;
    uint32_t ip = 0x0A000001;
    for (size_t i = 0; i < count; ++i) {
        ip = ip * 1103515245u + 12345u; // spread out, as real lists are
        servers.push_back(ServerAddress{ip, uint16_t(27000 + i % 2000), 0});
    }
    return servers;
}

void DecodeAndStore50000(benchmark::State& state) {
    Test::FakeHost host;
    const std::vector<unsigned char> table = ServerTable(Servers(50000));
    std::vector<unsigned char> body;
    EncodeServerList(table.data(), table.size(), body);
    int64_t time = 1000;
    for (auto _ : state) {
        std::vector<ServerAddress> servers;
        Utils::DatabaseSqlite database;
        ServerListStore store(database);
        if (!DecodeServerList(body.data(), body.size(), servers) ||
            !store.Open(UserStoreFilePath(host)) || !store.WriteArea(4, ++time, servers))
            state.SkipWithError("decode or store failed");
    }
}
BENCHMARK(DecodeAndStore50000)->Unit(benchmark::kMillisecond);

void LoadAndSave1000Favourites(benchmark::State& state) {
    Test::FakeHost host;
    {
        UserStore store(host);
        bool inFavourites = false;
        uint32_t filter = 0;
        store.LoadUserStore(inFavourites, filter);
        const std::vector<ServerAddress> servers = Servers(1000);
        for (size_t i = 0; i < servers.size(); ++i) {
            ServerRecord record{};
            record.ip = servers[i].ip;
            record.port = servers[i].port;
            record.gameId = 1003;
            const std::u16string name = u"Favourite server number " + Digits(i) + u" 'quoted'";
            Utils::Utf::CopyToField(record.info.name, 128, name);
            store.GetFavourites().AddFavourite(record);
        }
        store.SaveUserStore(true, 8);
    }
    for (auto _ : state) {
        UserStore store(host);
        bool inFavourites = false;
        uint32_t filter = 0;
        if (!store.LoadUserStore(inFavourites, filter) ||
            store.GetFavourites().Snapshot().size() != 1000 || !store.SaveUserStore(true, 8))
            state.SkipWithError("load or save failed");
    }
}
BENCHMARK(LoadAndSave1000Favourites)->Unit(benchmark::kMillisecond);

} // namespace
