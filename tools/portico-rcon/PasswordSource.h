// Where portico-rcon finds the console password: a file, the command line, the environment,
// or a prompt on the terminal without echo.
#pragma once

#include <string>

namespace Portico {

struct RconOptions;

// Environment variable that holds the password.
extern const char* const kPasswordVariable;

// False with the reason in error when no password can be had.
bool FindPassword(const RconOptions& options, std::string& password, std::string& error);

// The first line of a file, without its line end.
bool ReadPasswordFile(const std::string& path, std::string& password);
// Asks on the terminal with echo off; false when there is no terminal.
bool PromptPassword(const char* prompt, std::string& password);

} // namespace Portico
