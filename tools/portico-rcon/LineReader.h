// portico-rcon's command prompt: with line editing and history where the readline library was
// found at build time and the input is a terminal, plain line reading otherwise.
#pragma once

#include <string>

namespace Portico {

class LineReader {
public:
    LineReader();
    // False at the end of input.
    bool Read(const char* prompt, std::string& line);

private:
    bool interactive;
};

} // namespace Portico
