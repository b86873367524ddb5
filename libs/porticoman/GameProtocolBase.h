// What every game's protocol takes from its row of the game table: names, launch recipe,
// player column and remote-console texts. The engine's class adds the requests and the
// player time. A detail request first finishes a pending info challenge of the server,
// whatever game asks: the plug-in asks the selected game for the follow-up of any reply.
#pragma once

#include "ChallengeCache.h"
#include "GameTable.h"
#include "abi/ProtocolInterface.h"

namespace Portico {

class GameProtocolBase : public GameProtocol {
public:
    GameProtocolBase(const GameRecipe& recipe, ChallengeCache& challenges)
        : recipe(recipe), challenges(challenges) {}
    virtual ~GameProtocolBase() = default;

    uint32_t GameId() const override { return recipe.gameId; }
    uint32_t GetPlayerColumnText() const override { return recipe.playerColumnText; }
    const ByteOutStream* BuildQuery() override;
    const ByteOutStream* BuildDetailRequest(const ServerAddress& address) override;
    bool GetInstallLocation(uint32_t& rootKey, const char16_t*& subKey, const char16_t*& valueName,
                            const char16_t*& fileName) const override;
    const char16_t* GetName() const override { return recipe.name; }
    const char16_t* GetFixedArguments() const override { return recipe.fixedArguments; }
    uint16_t GetDefaultPort() const override { return recipe.defaultPort; }
    void GetConnectArguments(char16_t* buffer, uint32_t capacity,
                             const ServerAddress& address) const override;
    RconKind GetRconKind() const override;
    bool BuildRconChallenge(char* buffer) const override;
    void BuildRconPrefix(char* buffer, const char* password, uint32_t challenge) const override;

protected:
    virtual void WriteQuery(ByteOutStream& out) = 0;
    virtual void WriteDetailRequest(ByteOutStream& out, uint64_t server, uint64_t nowMs) = 0;

    const GameRecipe& recipe;
    ChallengeCache& challenges;
};

} // namespace Portico
