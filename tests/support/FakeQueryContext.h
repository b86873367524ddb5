// A query context for tests: a protocol library that answers every game with a one-byte
// query, a region table keyed by the address's third byte, and a record of every send.
#pragma once

#include "Eventually.h"
#include "common/MessageWindow.h"
#include "query/QueryContext.h"
#include "query/ServerRecord.h"

#include <chrono>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace Portico::Test {

using TestSupport::Eventually;

struct SentDatagram {
    uint32_t ip;
    uint16_t port;
    std::vector<unsigned char> bytes;
    uint32_t socketIndex;
};

class FakeProtocol : public GameProtocol {
public:
    explicit FakeProtocol(uint32_t id) : id(id) {
        query << (unsigned char)'Q';
        detail << (unsigned char)'D';
    }
    uint32_t GameId() const override { return id; }
    uint32_t GetPlayerColumnText() const override { return 0; }
    void FormatPlayerTime(char16_t* buffer, uint32_t) const override { buffer[0] = 0; }
    const ByteOutStream* BuildQuery() override { return &query; }
    const ByteOutStream* BuildDetailRequest(const ServerAddress&) override { return &detail; }
    bool GetInstallLocation(uint32_t&, const char16_t*&, const char16_t*&,
                            const char16_t*&) const override {
        return false;
    }
    const char16_t* GetName() const override { return u"fake"; }
    const char16_t* GetFixedArguments() const override { return u""; }
    uint16_t GetDefaultPort() const override { return 0; }
    void GetConnectArguments(char16_t* buffer, uint32_t, const ServerAddress&) const override {
        buffer[0] = 0;
    }
    RconKind GetRconKind() const override { return kRconNone; }
    bool BuildRconChallenge(char*) const override { return false; }
    void BuildRconPrefix(char*, const char*, uint32_t) const override {}

private:
    uint32_t id;
    ByteOutStream query, detail;
};

// ParseReply hands every datagram to `parse`, a test's own function.
class FakeProtocols : public ProtocolManager {
public:
    using Parser =
        std::function<void(ByteInStream&, const ServerAddress&, Utils::ArrayT<ServerAddress>*,
                           ServerInfo*, PlayerList*, bool*, Utils::ArrayT<uint32_t>&)>;
    uint32_t InterfaceVersion() const override { return kProtocolInterfaceVersion; }
    GameProtocol* GetProtocol(uint32_t gameId) override {
        return gameId == 0 ? nullptr : &protocol;
    }
    const Utils::ArrayT<uint32_t>* ParseReply(ByteInStream& datagram, const ServerAddress& address,
                                              Utils::ArrayT<ServerAddress>* further,
                                              ServerInfo* info, PlayerList* players,
                                              bool* followUp) override {
        games.Clear();
        if (parse)
            parse(datagram, address, further, info, players, followUp, games);
        return &games;
    }
    Parser parse;

private:
    FakeProtocol protocol{1};
    Utils::ArrayT<uint32_t> games;
};

class FakeQueryContext : public QueryContext {
public:
    ProtocolManager* Protocols() override { return withLibrary ? &protocols : nullptr; }
    // 10.x.R.y lies in region R with country "C" + R ('A' + R); R = 0: nowhere.
    uint8_t LookupRegion(uint32_t ip, uint8_t out[3]) override {
        const uint8_t region = static_cast<uint8_t>(ip >> 8);
        if (region != 0) {
            out[0] = 'C';
            out[1] = static_cast<uint8_t>('A' + region);
        }
        return region;
    }
    bool Send(uint32_t ip, uint16_t port, const ByteOutStream& datagram,
              uint32_t socketIndex) override {
        {
            std::lock_guard<std::mutex> guard(lock);
            sent.push_back(
                {ip, port, {datagram.Data(), datagram.Data() + datagram.Size()}, socketIndex});
        }
        if (onSend)
            onSend(ip, port);
        return true;
    }
    uint16_t SelectedGame() override { return selectedGame; }
    void KeepFavourite(ServerRecord& record) override {
        if (keep)
            keep(record);
    }
    MessageWindow* ProbeWindow() override { return probeWindow; }
    void ListArrived(uint32_t ip, uint16_t port,
                     const Utils::ArrayT<ServerAddress>& list) override {
        if (onList)
            onList(ip, port, list);
    }

    std::vector<SentDatagram> Sent() {
        std::lock_guard<std::mutex> guard(lock);
        return sent;
    }
    size_t SentCount() { return Sent().size(); }

    FakeProtocols protocols;
    bool withLibrary = true;
    uint16_t selectedGame = 1;
    MessageWindow* probeWindow = nullptr;
    std::function<void(uint32_t, uint16_t)> onSend;
    std::function<void(ServerRecord&)> keep;
    std::function<void(uint32_t, uint16_t, const Utils::ArrayT<ServerAddress>&)> onList;

private:
    std::mutex lock;
    std::vector<SentDatagram> sent;
};

struct Message {
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
};

// Records every message; `onMessage` may act on it while the sender waits.
class RecordingWindow : public MessageWindow {
public:
    intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
        if (onMessage)
            onMessage(message, wParam, lParam);
        std::lock_guard<std::mutex> guard(lock);
        messages.push_back({message, wParam, lParam});
        return 0;
    }
    std::vector<Message> Messages() {
        std::lock_guard<std::mutex> guard(lock);
        return messages;
    }
    size_t Count(uint32_t message) {
        size_t n = 0;
        for (const Message& m : Messages())
            n += m.message == message;
        return n;
    }
    std::function<void(uint32_t, uintptr_t, intptr_t)> onMessage;

private:
    std::mutex lock;
    std::vector<Message> messages;
};

inline ServerAddress Address(uint8_t region, uint8_t host, uint16_t port = 27015,
                             uint16_t game = 1) {
    return ServerAddress{(10u << 24) | (uint32_t(region) << 8) | host, port, game};
}

inline ServerInfo Info(const char* map, uint8_t players = 1, uint8_t maxPlayers = 16) {
    ServerInfo info{};
    for (int i = 0; map[i] && i < 127; ++i)
        info.map[i] = map[i];
    info.name[0] = u'S';
    info.players = players;
    info.maxPlayers = maxPlayers;
    return info;
}

} // namespace Portico::Test
