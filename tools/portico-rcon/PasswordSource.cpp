#include "PasswordSource.h"

#include "RconOptions.h"

#include <cstdlib>
#include <fstream>

namespace Portico {

const char* const kPasswordVariable = "PORTICO_RCON_PASSWORD";

bool ReadPasswordFile(const std::string& path, std::string& password) {
    std::ifstream file(path, std::ios::binary);
    if (!file || !std::getline(file, password))
        return false;
    if (!password.empty() && password.back() == '\r')
        password.pop_back();
    return true;
}

bool FindPassword(const RconOptions& options, std::string& password, std::string& error) {
    if (!options.passwordFile.empty()) {
        if (ReadPasswordFile(options.passwordFile, password))
            return true;
        error = "cannot read the password file " + options.passwordFile;
        return false;
    }
    if (options.passwordGiven) {
        password = options.password;
        return true;
    }
    if (const char* fromEnvironment = std::getenv(kPasswordVariable)) {
        password = fromEnvironment;
        return true;
    }
    if (PromptPassword("Password: ", password))
        return true;
    error = "no password: give --password-file, set " + std::string(kPasswordVariable) +
            " or run on a terminal";
    return false;
}

} // namespace Portico
