// Server lists from anywhere: a packed file on disk or a URL, for the command-line tools and
// the server-list cache.
#pragma once

#include "abi/ProtocolInterface.h"
#include "serverlist/ServerListFile.h"

#include <string>
#include <vector>

namespace Portico {

class HttpRequest;

// Reads the content of a request whose Get succeeded and decodes it: kTooLarge for a content
// length beyond kMaxServerListFile, kNotFetched for a body that cannot be read, or why it does
// not decode.
ServerListProblem ReadServerListBody(HttpRequest& request, std::vector<ServerAddress>& servers);

// source: "http://host[:port]/path" or a file path (UTF-8). The addresses carry game id 0.
ServerListProblem LoadServerList(const std::string& source, std::vector<ServerAddress>& servers);
// A problem for people to read: "the file is missing or cannot be read", ...
const char* Describe(ServerListProblem problem);

} // namespace Portico
