#include "ReplyParser.h"

#include "A2sParser.h"
#include "MasterListParser.h"
#include "QuakeStatusParser.h"

#include <vector>

namespace Portico {

namespace {

constexpr uint32_t kSingleHeader = 0xFFFFFFFF;
constexpr uint32_t kSplitHeader = 0xFFFFFFFE;

constexpr uint8_t kA2sInfo = 0x49;         // 'I'
constexpr uint8_t kGoldSrcInfo = 0x6D;     // 'm'
constexpr uint8_t kA2sPlayers = 0x44;      // 'D'
constexpr uint8_t kA2sChallenge = 0x41;    // 'A'
constexpr uint8_t kValveMasterList = 0x66; // followed by 0x0A
constexpr uint8_t kValveMasterListEnd = 0x0A;

} // namespace

void ReplyParser::Parse(const uint8_t* data, uint32_t size, const ServerAddress& address,
                        uint64_t nowMs, const ReplyOutputs& out) {
    const Context context{address, ChallengeCache::Key(address.ip, address.port), nowMs, out};
    PacketReader reader(data, size);
    uint32_t header;
    if (!reader.U32(header))
        return;
    if (header != kSplitHeader) {
        ParseWhole(data, size, context);
        return;
    }
    std::vector<uint8_t> joined;
    if (splits.Add(context.server, data, size, nowMs, joined) ==
        SplitReassembler::Result::kComplete)
        ParseWhole(joined.data(), uint32_t(joined.size()), context);
}

void ReplyParser::ParseWhole(const uint8_t* data, uint32_t size, const Context& context) {
    PacketReader reader(data, size);
    uint32_t header;
    if (!reader.U32(header) || header != kSingleHeader)
        return;
    const ReplyOutputs& out = context.out;
    if (reader.Literal("statusResponse")) {
        OnQuakeStatus(reader, context);
        return;
    }
    if (reader.Literal("getserversResponse")) {
        if (out.further)
            MasterListParser::ParseQuake(
                reader, GameTable::GameFor(kQuakeEngines, context.address.gameId), *out.further);
        return;
    }
    uint8_t type;
    if (!reader.U8(type))
        return;
    ServerInfo info{};
    std::string_view folder;
    switch (type) {
    case kA2sInfo:
        if (A2sParser::ParseInfo(reader, context.address.port, info, &folder))
            OnInfo(info, kA2sEngines, folder, context);
        break;
    case kGoldSrcInfo:
        if (A2sParser::ParseGoldSrcInfo(reader, context.address.port, info, &folder))
            OnInfo(info, EngineBit(Engine::kGoldSrc), folder, context);
        break;
    case kA2sPlayers:
        OnA2sPlayers(reader, context);
        break;
    case kA2sChallenge:
        OnChallenge(reader, context);
        break;
    case kValveMasterList:
        if (out.further && reader.U8(type) && type == kValveMasterListEnd)
            MasterListParser::ParseValve(
                reader, GameTable::GameFor(kA2sEngines, context.address.gameId), *out.further);
        break;
    default:
        break;
    }
}

// The reply does not say which game's query it answers (the address carries the browser's
// selected game, and the query was built without an address), so the information is filed
// under every game on the reply's engines; the plug-in stores it only where it holds a record
// for that game. First comes the game the server's folder names, else the selected one, so
// that a caller can tell which game the server runs.
void ReplyParser::OnInfo(const ServerInfo& info, EngineSet engines, std::string_view folder,
                         const Context& context) {
    challenges.OnInfoAnswer(context.server, context.nowMs);
    if (context.out.info)
        *context.out.info = info;
    const uint16_t named = GameTable::GameOfFolder(engines, folder.data(), folder.size());
    if (context.out.gameIds)
        GameTable::GamesFor(engines, named != 0 ? named : context.address.gameId,
                            *context.out.gameIds);
}

void ReplyParser::OnA2sPlayers(PacketReader& reader, const Context& context) {
    Utils::ArrayT<PlayerEntry> entries;
    if (A2sParser::ParsePlayers(reader, entries))
        SetPlayers(entries, GameTable::GameFor(kA2sEngines, context.address.gameId), context);
}

void ReplyParser::OnChallenge(PacketReader& reader, const Context& context) {
    uint32_t challenge;
    if (A2sParser::ParseChallenge(reader, challenge) &&
        challenges.OnChallenge(context.server, challenge, context.nowMs) && context.out.followUp)
        *context.out.followUp = true;
}

void ReplyParser::OnQuakeStatus(PacketReader& reader, const Context& context) {
    ServerInfo info{};
    Utils::ArrayT<PlayerEntry> entries;
    if (!QuakeStatusParser::Parse(reader.Rest(), context.address.port, info, &entries))
        return;
    OnInfo(info, kQuakeEngines, std::string_view(), context);
    SetPlayers(entries, GameTable::GameFor(kQuakeEngines, context.address.gameId), context);
}

// Player lists go out only for servers whose players were asked: the browser shows every
// list it is sent as the selected server's, and every status answer carries one.
void ReplyParser::SetPlayers(const Utils::ArrayT<PlayerEntry>& entries, uint16_t gameId,
                             const Context& context) {
    if (!context.out.players || !challenges.OnPlayersAnswer(context.server, context.nowMs))
        return;
    PlayerList& players = *context.out.players;
    players.address = ServerAddress{context.address.ip, context.address.port, gameId};
    players.entries.Append(entries.Data(), entries.Size());
}

} // namespace Portico
