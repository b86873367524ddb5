// fsl-pack: the publisher's tool for server-list files. Packs "a.b.c.d:port" lines into a
// scrambled LZMA file as the plug-in reads it, and prints a file (or URL) back as lines.
#include "serverlist/ServerListEncoder.h"
#include "serverlist/ServerListSource.h"
#include "utils/AddressText.h"
#include "utils/OptionReader.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

using Portico::ServerAddress;

namespace {

const char* const kUsage =
    "usage: fsl-pack -o OUTPUT [LIST]\n"
    "       fsl-pack --print FILE|URL\n"
    "\n"
    "Packs the servers of LIST (or standard input), one \"a.b.c.d:port\" a line, into the\n"
    "server-list file OUTPUT. Blank lines and lines starting with # are skipped.\n"
    "--print reads a server-list file, or fetches http://host[:port]/path, and prints its\n"
    "servers one \"a.b.c.d:port\" a line.\n";

int Fail(const std::string& message) {
    std::cerr << "fsl-pack: " << message << "\n";
    return 1;
}

std::string Trim(const std::string& line) {
    const size_t begin = line.find_first_not_of(" \t\r");
    if (begin == std::string::npos)
        return std::string();
    return line.substr(begin, line.find_last_not_of(" \t\r") - begin + 1);
}

bool ReadServers(std::istream& in, std::vector<ServerAddress>& servers, std::string& error) {
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string text = Trim(line);
        if (text.empty() || text[0] == '#')
            continue;
        ServerAddress server{0, 0, 0};
        if (!Utils::ParseIPv4Port(text, server.ip, server.port)) {
            error =
                "line " + std::to_string(number) + ": expected a.b.c.d:port, got \"" + text + "\"";
            return false;
        }
        servers.push_back(server);
    }
    return true;
}

int Pack(const std::string& output, const std::string& input) {
    std::vector<ServerAddress> servers;
    std::string error;
    if (input.empty() || input == "-") {
        if (!ReadServers(std::cin, servers, error))
            return Fail(error);
    } else {
        std::ifstream file(input);
        if (!file)
            return Fail("cannot open " + input);
        if (!ReadServers(file, servers, error))
            return Fail(input + ": " + error);
    }
    const std::vector<unsigned char> table = Portico::ServerTable(servers);
    std::vector<unsigned char> body;
    if (!Portico::EncodeServerList(table.data(), table.size(), body))
        return Fail("compression failed");
    std::ofstream file(output, std::ios::binary);
    file.write(reinterpret_cast<const char*>(body.data()), std::streamsize(body.size()));
    file.close();
    if (!file)
        return Fail("cannot write " + output);
    std::cerr << "fsl-pack: " << servers.size() << " servers, " << body.size() << " bytes\n";
    return 0;
}

int Print(const std::string& source) {
    std::vector<ServerAddress> servers;
    const Portico::ServerListProblem problem = Portico::LoadServerList(source, servers);
    if (problem != Portico::ServerListProblem::kNone)
        return Fail("cannot read a server list from " + source + ": " + Portico::Describe(problem));
    for (const ServerAddress& server : servers) {
        std::printf("%u.%u.%u.%u:%u\n", server.ip >> 24, (server.ip >> 16) & 255,
                    (server.ip >> 8) & 255, server.ip & 255, unsigned(server.port));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string output;
    std::string input;
    bool print = false;
    const std::vector<std::string> args(argv + 1, argv + argc);
    Utils::OptionReader reader(args, {{"--help", false, "-h"}, {"--print"}, {"-o", true}});
    Utils::OptionReader::Item item;
    while (reader.Next(item)) {
        if (item.kind == Utils::OptionReader::Kind::Error)
            return Fail(item.value + "\n" + kUsage);
        if (item.kind == Utils::OptionReader::Kind::Operand) {
            if (!input.empty())
                return Fail("more than one input\n" + std::string(kUsage));
            input = item.name;
        } else if (item.name == "--help") {
            std::cout << kUsage;
            return 0;
        } else if (item.name == "--print") {
            print = true;
        } else {
            output = item.value;
        }
    }
    if (print) {
        if (input.empty() || !output.empty())
            return Fail("--print takes one FILE or URL and no -o\n" + std::string(kUsage));
        return Print(input);
    }
    if (output.empty())
        return Fail("no output file (-o OUTPUT)\n" + std::string(kUsage));
    return Pack(output, input);
}
