// The password prompt on a POSIX terminal: /dev/tty with its echo off while the line is read.
#include "PasswordSource.h"

#include <cstdio>
#include <termios.h>
#include <unistd.h>

namespace Portico {

bool PromptPassword(const char* prompt, std::string& password) {
    FILE* tty = std::fopen("/dev/tty", "r+");
    if (!tty)
        return false;
    const int fd = fileno(tty);
    termios saved{};
    const bool hasTerminal = tcgetattr(fd, &saved) == 0;
    if (hasTerminal) {
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(fd, TCSAFLUSH, &quiet);
    }
    std::fputs(prompt, tty);
    std::fflush(tty);
    password.clear();
    int c;
    while ((c = std::fgetc(tty)) != EOF && c != '\n')
        password += char(c);
    if (hasTerminal)
        tcsetattr(fd, TCSAFLUSH, &saved);
    std::fputs("\n", tty);
    std::fclose(tty);
    return hasTerminal && c != EOF;
}

} // namespace Portico
