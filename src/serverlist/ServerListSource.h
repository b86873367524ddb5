// Server lists from anywhere: a packed file on disk or a URL, for the command-line tools and
// the server-list cache.
#pragma once

#include "abi/ProtocolInterface.h"

#include <string>
#include <vector>

namespace Portico {

class HttpRequest;

// Reads the content of a request whose Get succeeded and decodes it. False for a content
// length beyond kMaxServerListFile, a body that cannot be read, or one that does not decode.
bool ReadServerListBody(HttpRequest& request, std::vector<ServerAddress>& servers);

// source: "http://host[:port]/path" or a file path (UTF-8). The addresses carry game id 0.
bool LoadServerList(const std::string& source, std::vector<ServerAddress>& servers);

} // namespace Portico
