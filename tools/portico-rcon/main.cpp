// portico-rcon: a game server's remote console from the command line, on the plug-in's own
// console code.
#include "LineReader.h"
#include "PasswordSource.h"
#include "RconClient.h"
#include "RconOptions.h"

#include "query/ProtocolLibrary.h"
#include "utils/ResolveHost.h"
#include "utils/SocketStartup.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace Portico;

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

int Usage(const std::string& error) {
    std::fprintf(stderr, "portico-rcon: %s\n%s", error.c_str(), kRconUsage);
    return kExitUsage;
}

int Failure(const std::string& problem) {
    std::fprintf(stderr, "portico-rcon: %s\n", problem.c_str());
    return kExitFailure;
}

// Reports what went wrong; the exit status that goes with it.
int Report(const RconClient& client, RconClient::Outcome outcome) {
    std::fprintf(stderr, "portico-rcon: %s\n", client.Problem(outcome).c_str());
    return outcome == RconClient::Outcome::TooLong ? kExitUsage : kExitFailure;
}

int RunGiven(RconClient& client, const std::vector<std::string>& commands) {
    for (const std::string& command : commands) {
        const RconClient::Outcome outcome = client.Run(command);
        if (outcome != RconClient::Outcome::Done)
            return Report(client, outcome);
    }
    return kExitDone;
}

// At the prompt a command too long for the server, or one the server did not answer, does not
// end the session.
int RunPrompt(RconClient& client) {
    LineReader reader;
    std::string line;
    while (reader.Read("rcon> ", line)) {
        if (line.empty())
            continue;
        const RconClient::Outcome outcome = client.Run(line);
        if (outcome == RconClient::Outcome::Done)
            continue;
        const int status = Report(client, outcome);
        if (outcome != RconClient::Outcome::TooLong && outcome != RconClient::Outcome::NoAnswer)
            return status;
    }
    return kExitDone;
}

} // namespace

int main(int argc, char** argv) {
    RconOptions options;
    std::string error;
    if (!ParseRconOptions(std::vector<std::string>(argv + 1, argv + argc), options, error))
        return Usage(error);
    if (options.help) {
        std::fputs(kRconUsage, stdout);
        return kExitDone;
    }
    Utils::SocketStartup sockets;
    const uint32_t ip = Utils::ResolveHost(options.host.c_str());
    if (ip == Utils::kNoAddress)
        return Usage("cannot resolve " + options.host);
    ProtocolManager* manager = ProtocolLibrary::Manager();
    if (!manager)
        return Failure("the game-protocol library was not found");
    GameProtocol* game = manager->GetProtocol(options.game);
    if (!game || game->GetRconKind() == kRconNone)
        return Usage("game " + std::to_string(options.game) + " has no remote console");
    if (options.passwordGiven)
        std::fprintf(stderr, "portico-rcon: warning: a password on the command line can be "
                             "seen by other users\n");
    std::string password;
    if (!FindPassword(options, password, error))
        return Usage(error);
    if (password.empty())
        return Usage("the password is empty");

    const auto patience = std::chrono::milliseconds(long(options.timeoutSeconds * 1000));
    RconClient client(ServerAddress{ip, options.port, options.game}, *game, patience, stdout);
    const RconClient::Outcome opened = client.Open(password);
    if (opened != RconClient::Outcome::Done)
        return Report(client, opened);
    return options.commands.empty() ? RunPrompt(client) : RunGiven(client, options.commands);
}
