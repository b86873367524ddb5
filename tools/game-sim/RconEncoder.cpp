#include "RconEncoder.h"

#include "RconConsole.h"

namespace Portico {

SimBytes EncodeRconChallenge(uint32_t challenge) {
    SimWriter out;
    out.Raw(kSimHeader).Raw("challenge rcon " + std::to_string(challenge) + "\n").Byte(0);
    return out.Take();
}

std::vector<SimBytes> EncodeGoldSrcOutput(const std::string& text) {
    std::vector<SimBytes> datagrams;
    for (const std::string& piece : CutText(text, kRconDatagramText)) {
        SimWriter out;
        out.Raw(kSimHeader).Byte('l').Text(piece);
        datagrams.push_back(out.Take());
    }
    return datagrams;
}

std::vector<SimBytes> EncodeQuakeOutput(const std::string& text) {
    std::vector<SimBytes> datagrams;
    for (const std::string& piece : CutText(text, kRconDatagramText)) {
        SimWriter out;
        out.Raw(kSimHeader).Raw("print\n").Raw(piece);
        datagrams.push_back(out.Take());
    }
    return datagrams;
}

} // namespace Portico
