// The command-line rules the tools share, so that each tool's option loop only says what its
// options mean.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace Utils {

// One option a tool knows: its name, a second spelling (such as "-h"), and whether a value
// follows it as the next argument.
struct OptionName {
    const char* name;
    bool takesValue = false;
    const char* alias = nullptr;
};

// Reads arguments in order as options (with their values) and operands. An unknown option or a
// value option at the end is an error item; "--" ends the options and "-" alone is an operand.
class OptionReader {
public:
    OptionReader(const std::vector<std::string>& args, std::vector<OptionName> names);

    enum class Kind { Option, Operand, Error };
    struct Item {
        Kind kind = Kind::Error;
        std::string name;  // the option's name (never its alias), or the operand
        std::string value; // the option's value, or the error's text
    };

    // The next item; false once every argument is read.
    bool Next(Item& item);
    // The arguments not read yet, as given.
    std::vector<std::string> Rest() const;

private:
    const OptionName* Find(const std::string& arg) const;

    const std::vector<std::string>& args_;
    std::vector<OptionName> names_;
    size_t next_ = 0;
    bool optionsEnded_ = false;
};

} // namespace Utils
