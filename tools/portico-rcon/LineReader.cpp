#include "LineReader.h"

#include <cstdio>
#include <iostream>
#if defined(PORTICO_READLINE)
#include <cstdlib>
#include <editline/readline.h>
#endif
#if defined(_WIN32)
#include <io.h>
#define isatty _isatty
#else
#include <unistd.h>
#endif

namespace Portico {

LineReader::LineReader() : interactive(isatty(0) != 0) {}

bool LineReader::Read(const char* prompt, std::string& line) {
#if defined(PORTICO_READLINE)
    if (interactive) {
        char* read = readline(prompt);
        if (!read)
            return false;
        line = read;
        std::free(read);
        if (!line.empty())
            add_history(line.c_str());
        return true;
    }
#endif
    if (interactive) {
        std::fputs(prompt, stdout);
        std::fflush(stdout);
    }
    if (!std::getline(std::cin, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

} // namespace Portico
