#include "utils/OptionReader.h"

#include <utility>

namespace Utils {

OptionReader::OptionReader(const std::vector<std::string>& args, std::vector<OptionName> names)
    : args_(args), names_(std::move(names)) {}

const OptionName* OptionReader::Find(const std::string& arg) const {
    for (const OptionName& option : names_)
        if (arg == option.name || (option.alias != nullptr && arg == option.alias))
            return &option;
    return nullptr;
}

bool OptionReader::Next(Item& item) {
    if (next_ < args_.size() && !optionsEnded_ && args_[next_] == "--") {
        optionsEnded_ = true;
        ++next_;
    }
    if (next_ >= args_.size())
        return false;
    const std::string& arg = args_[next_++];
    item = Item{};
    if (optionsEnded_ || arg.size() < 2 || arg[0] != '-') {
        item.kind = Kind::Operand;
        item.name = arg;
        return true;
    }
    const OptionName* option = Find(arg);
    if (option == nullptr) {
        item.value = "unknown option: " + arg;
        return true;
    }
    if (option->takesValue) {
        if (next_ >= args_.size()) {
            item.value = arg + " needs a value";
            return true;
        }
        item.value = args_[next_++];
    }
    item.kind = Kind::Option;
    item.name = option->name;
    return true;
}

std::vector<std::string> OptionReader::Rest() const {
    return std::vector<std::string>(args_.begin() + long(next_), args_.end());
}

} // namespace Utils
