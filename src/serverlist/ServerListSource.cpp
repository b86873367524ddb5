#include "serverlist/ServerListSource.h"

#include "serverlist/HttpRequest.h"
#include "serverlist/ServerListFile.h"
#include "serverlist/ServerListHost.h"
#include "utils/Utf.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace Portico {

namespace {

constexpr const char* kHttpScheme = "http://";

ServerListProblem LoadFromUrl(const std::string& url, std::vector<ServerAddress>& servers) {
    const std::string rest = url.substr(std::char_traits<char>::length(kHttpScheme));
    const size_t slash = rest.find('/');
    ServerListHost host;
    if (!ParseServerListHost(rest.substr(0, slash), host))
        return ServerListProblem::kNotFetched;
    const std::string path = slash == std::string::npos ? "/" : rest.substr(slash);
    HttpRequest request;
    if (!request.Get(host.name, Utils::Utf::ToUtf16(path), host.port))
        return ServerListProblem::kNotFetched;
    return ReadServerListBody(request, servers);
}

ServerListProblem LoadFromFile(const std::string& name, std::vector<ServerAddress>& servers) {
    std::ifstream file(std::filesystem::u8path(name), std::ios::binary);
    if (!file)
        return ServerListProblem::kMissing;
    std::vector<unsigned char> body;
    char piece[64 * 1024];
    while (file.read(piece, sizeof(piece)) || file.gcount() > 0) {
        body.insert(body.end(), piece, piece + file.gcount());
        if (body.size() > kMaxServerListFile)
            return ServerListProblem::kTooLarge;
    }
    return DecodeServerListBody(body.data(), body.size(), servers);
}

} // namespace

ServerListProblem ReadServerListBody(HttpRequest& request, std::vector<ServerAddress>& servers) {
    servers.clear();
    if (request.ContentLength() > kMaxServerListFile)
        return ServerListProblem::kTooLarge;
    if (!request.ReadBody(request.ContentLength()))
        return ServerListProblem::kNotFetched;
    const auto& body = request.Body();
    return DecodeServerListBody(body.Data(), body.Size(), servers);
}

ServerListProblem LoadServerList(const std::string& source, std::vector<ServerAddress>& servers) {
    servers.clear();
    if (source.compare(0, std::char_traits<char>::length(kHttpScheme), kHttpScheme) == 0)
        return LoadFromUrl(source, servers);
    return LoadFromFile(source, servers);
}

const char* Describe(ServerListProblem problem) {
    switch (problem) {
    case ServerListProblem::kNone:
        break;
    case ServerListProblem::kMissing:
        return "the file is missing or cannot be read";
    case ServerListProblem::kNotFetched:
        return "it could not be fetched";
    case ServerListProblem::kNotServerList:
        return "it is not a server list";
    case ServerListProblem::kTooLarge:
        return "it is larger than a server list may be";
    case ServerListProblem::kDamaged:
        return "it is damaged (its packed data does not decode)";
    }
    return "no problem";
}

} // namespace Portico
