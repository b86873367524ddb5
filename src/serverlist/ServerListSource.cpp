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

bool LoadFromUrl(const std::string& url, std::vector<ServerAddress>& servers) {
    const std::string rest = url.substr(std::char_traits<char>::length(kHttpScheme));
    const size_t slash = rest.find('/');
    ServerListHost host;
    if (!ParseServerListHost(rest.substr(0, slash), host))
        return false;
    const std::string path = slash == std::string::npos ? "/" : rest.substr(slash);
    HttpRequest request;
    return request.Get(host.name, Utils::Utf::ToUtf16(path), host.port) &&
           ReadServerListBody(request, servers);
}

bool LoadFromFile(const std::string& name, std::vector<ServerAddress>& servers) {
    std::ifstream file(std::filesystem::u8path(name), std::ios::binary);
    if (!file)
        return false;
    std::vector<unsigned char> body;
    char piece[64 * 1024];
    while (file.read(piece, sizeof(piece)) || file.gcount() > 0) {
        body.insert(body.end(), piece, piece + file.gcount());
        if (body.size() > kMaxServerListFile)
            return false;
    }
    return DecodeServerList(body.data(), body.size(), servers);
}

} // namespace

bool ReadServerListBody(HttpRequest& request, std::vector<ServerAddress>& servers) {
    servers.clear();
    if (request.ContentLength() > kMaxServerListFile || !request.ReadBody(request.ContentLength()))
        return false;
    const auto& body = request.Body();
    return DecodeServerList(body.Data(), body.Size(), servers);
}

bool LoadServerList(const std::string& source, std::vector<ServerAddress>& servers) {
    servers.clear();
    if (source.compare(0, std::char_traits<char>::length(kHttpScheme), kHttpScheme) == 0)
        return LoadFromUrl(source, servers);
    return LoadFromFile(source, servers);
}

} // namespace Portico
