#include "SimConfigText.h"

#include "SimConfigCheck.h"
#include "SimConfigFields.h"
#include "SimValueText.h"

#include <fstream>
#include <sstream>

namespace Portico {

namespace {

enum class Block { None, Simulator, Server, Master };

class ConfigReader {
public:
    explicit ConfigReader(SimConfig& config) : config(config) {}

    bool Line(const std::string& text, std::string& error) {
        ++number;
        const std::string line = Trim(text);
        if (line.empty() || line[0] == '#' || line[0] == ';')
            return true;
        if (line[0] == '[')
            return Header(line, error);
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            return SimFail(error, At(number) + "expected key = value");
        const std::string key = Lower(Trim(line.substr(0, equals)));
        const std::string value = Trim(line.substr(equals + 1));
        bool applied = false;
        switch (block) {
        case Block::None:
            return SimFail(error, At(number) + "'" + key + "' is outside a block");
        case Block::Simulator:
            applied = ApplyField(config, key, value, error);
            break;
        case Block::Server:
            applied = ApplyField(config.servers.back(), key, value, error);
            break;
        case Block::Master:
            applied = ApplyField(config.masters.back(), key, value, error);
            break;
        }
        return applied || SimFail(error, At(number) + error);
    }

    // Checks the block that ends here, as a whole.
    bool EndBlock(std::string& error) {
        std::string problem;
        if (block == Block::Server)
            problem = ServerProblem(config.servers.back());
        else if (block == Block::Master)
            problem = MasterProblem(config.masters.back());
        if (!problem.empty())
            return SimFail(error, At(blockLine) + "[" +
                                      (block == Block::Server ? "server" : "master") +
                                      "] block: " + problem);
        return true;
    }

private:
    static std::string At(size_t line) { return "line " + std::to_string(line) + ": "; }

    bool Header(const std::string& line, std::string& error) {
        if (!EndBlock(error))
            return false;
        const std::string name = Lower(line);
        if (name == "[simulator]") {
            block = Block::Simulator;
        } else if (name == "[server]") {
            if (config.servers.size() >= kMaxSimServers)
                return SimFail(error, At(number) + "too many servers");
            block = Block::Server;
            config.servers.emplace_back();
        } else if (name == "[master]") {
            if (config.masters.size() >= kMaxSimMasters)
                return SimFail(error, At(number) + "too many masters");
            block = Block::Master;
            config.masters.emplace_back();
        } else {
            return SimFail(error, At(number) + "unknown block " + line);
        }
        blockLine = number;
        return true;
    }

    SimConfig& config;
    Block block = Block::None;
    size_t number = 0;
    size_t blockLine = 0;
};

} // namespace

bool ParseSimConfig(const std::string& text, SimConfig& config, std::string& error) {
    if (text.size() > kMaxSimConfigBytes)
        return SimFail(error, "the configuration is larger than " +
                                  std::to_string(kMaxSimConfigBytes) + " bytes");
    SimConfig parsed;
    ConfigReader reader(parsed);
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!reader.Line(line, error))
            return false;
    }
    if (!reader.EndBlock(error) || !CheckSimConfig(parsed, error))
        return false;
    config = std::move(parsed);
    return true;
}

bool LoadSimConfig(const std::string& path, SimConfig& config, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return SimFail(error, "cannot read " + path);
    std::string text;
    char buffer[65536];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        text.append(buffer, size_t(file.gcount()));
        if (text.size() > kMaxSimConfigBytes)
            return SimFail(error, path + " is larger than " + std::to_string(kMaxSimConfigBytes) +
                                      " bytes");
    }
    if (!ParseSimConfig(text, config, error))
        return SimFail(error, path + ": " + error);
    return true;
}

std::string FormatSimConfig(const SimConfig& config) {
    std::ostringstream out;
    out << "[simulator]\n";
    WriteFields(config, out);
    for (const SimServer& server : config.servers) {
        out << "\n[server]\n";
        WriteFields(server, out);
    }
    for (const SimMaster& master : config.masters) {
        out << "\n[master]\n";
        WriteFields(master, out);
    }
    return out.str();
}

} // namespace Portico
