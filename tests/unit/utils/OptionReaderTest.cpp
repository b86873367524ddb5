#include "utils/OptionReader.h"

#include <gtest/gtest.h>

using Utils::OptionReader;

namespace {

// Every item as "kind name=value", one string per item.
std::vector<std::string> Read(const std::vector<std::string>& args, std::string* rest = nullptr) {
    OptionReader reader(args, {{"--help", false, "-h"}, {"--game", true}, {"-o", true}});
    std::vector<std::string> items;
    OptionReader::Item item;
    while (reader.Next(item)) {
        const char* kind = item.kind == OptionReader::Kind::Option    ? "option "
                           : item.kind == OptionReader::Kind::Operand ? "operand "
                                                                      : "error ";
        items.push_back(kind + item.name + "=" + item.value);
        if (rest != nullptr && item.kind == OptionReader::Kind::Operand) {
            for (const std::string& arg : reader.Rest())
                *rest += arg + " ";
            break;
        }
    }
    return items;
}

} // namespace

TEST(OptionReader, ReadsOptionsValuesAndOperandsInOrder) {
    EXPECT_EQ(Read({"-h", "--game", "-o", "a:1", "-", "--", "--help", "-x"}),
              (std::vector<std::string>{"option --help=", "option --game=-o", "operand a:1=",
                                        "operand -=", "operand --help=", "operand -x="}));
    EXPECT_EQ(Read({"--bogus", "--game"}),
              (std::vector<std::string>{"error =unknown option: --bogus",
                                        "error =--game needs a value"}));
}

TEST(OptionReader, RestIsWhatFollowsUnread) {
    std::string rest;
    EXPECT_EQ(Read({"--game", "5", "host:1", "say", "-h", "--"}, &rest).size(), 2u);
    EXPECT_EQ(rest, "say -h -- ");
}
