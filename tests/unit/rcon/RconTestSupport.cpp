#include "RconTestSupport.h"

#include "PorticoManager.h"
#include "common/Messages.h"
#include "rcon/RconNotice.h"
#include "utils/SocketStartup.h"

namespace RconTest {

using namespace Portico;

namespace {

// Winsock for the whole test program, where there is one.
const Utils::SocketStartup startup;

const uint16_t kGames[ConsoleServers::kCount] = {1003, 1005, 1010, 1003, 1003};

SimServer ConsoleServer(SimProtocol protocol, SimRcon rcon, SimRconFault fault) {
    SimServer server;
    server.protocol = protocol;
    server.address = SimAddress{0x7F000001, 0};
    server.name = "Console";
    server.rcon = rcon;
    server.rconPassword = kPassword;
    server.rconFault = fault;
    server.commands = {{"status", "hostname: Console\nplayers: 0\n"}, {"cvarlist", LongOutput()}};
    return server;
}

} // namespace

std::string LongOutput() {
    std::string text;
    for (int i = 0; text.size() < 10000; ++i)
        text += "cvar_" + std::to_string(i) + " = " + std::to_string(i * 7) + "\n";
    return text;
}

intptr_t RecordingWindow::Send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (message != kMsgRconNotify)
        return 0;
    Notice notice{intptr_t(wParam), lParam, std::string()};
    if (notice.kind == RconNotice::kOutput && lParam != 0) {
        notice.text = reinterpret_cast<const char*>(lParam);
        notice.value = 1;
    }
    std::lock_guard<std::mutex> guard(lock);
    notices.push_back(notice);
    return 0;
}

std::vector<Notice> RecordingWindow::Notices() {
    std::lock_guard<std::mutex> guard(lock);
    return notices;
}

std::string RecordingWindow::Output() {
    std::string all;
    for (const Notice& notice : Notices())
        all += notice.text;
    return all;
}

bool RecordingWindow::Has(intptr_t kind, intptr_t value) {
    for (const Notice& notice : Notices())
        if (notice.kind == kind && notice.value == value)
            return true;
    return false;
}

bool RecordingWindow::WaitFor(intptr_t kind) {
    return Eventually([&] {
        for (const Notice& notice : Notices())
            if (notice.kind == kind)
                return true;
        return false;
    });
}

ConsoleServers::ConsoleServers() {
    SimConfig config;
    config.addressing = SimAddressing::Ports;
    config.servers = {
        ConsoleServer(SimProtocol::Source, SimRcon::Tcp, SimRconFault::None),
        ConsoleServer(SimProtocol::GoldSrc, SimRcon::UdpChallenge, SimRconFault::None),
        ConsoleServer(SimProtocol::Quake3, SimRcon::Udp, SimRconFault::None),
        ConsoleServer(SimProtocol::Source, SimRcon::Tcp, SimRconFault::Oversize),
        ConsoleServer(SimProtocol::Source, SimRcon::Tcp, SimRconFault::Endless)};
    // A TCP console takes its server's port number, which a connection of an earlier test may
    // still hold on the TCP side: then the servers start again on other ports.
    for (int attempt = 0; attempt < 5 && !started; ++attempt)
        started = simulator.Start(config, error);
}

ServerAddress ConsoleServers::Address(Index index) const {
    const bool tcp = index == kSource || index == kOversize || index == kEndless;
    const SimAddress& at =
        tcp ? simulator.RconAddresses().at(index) : simulator.ServerAddresses().at(index);
    return ServerAddress{at.ip, at.port, kGames[index]};
}

GameProtocol* ConsoleServers::Game(Index index) const {
    return PorticoManager::Instance().GetProtocol(kGames[index]);
}

} // namespace RconTest
