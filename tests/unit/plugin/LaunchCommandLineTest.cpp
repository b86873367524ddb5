#include "plugin/LaunchCommandLine.h"

#include <gtest/gtest.h>

#include <string>

namespace Portico {
namespace {

LaunchArguments Arguments(const std::u16string& executable) {
    LaunchArguments arguments;
    arguments.executable = executable;
    arguments.fixed = u"-game harbor";
    arguments.parameters = u"-w 800";
    arguments.connect = u"+connect 127.0.1.1:27015";
    return arguments;
}

TEST(LaunchCommandLine, FourPartsThenThePassword) {
    LaunchArguments arguments = Arguments(u"C:\\Games\\harbor.exe");
    std::u16string line;
    ASSERT_TRUE(BuildCommandLine(arguments, line));
    EXPECT_EQ(line, u"C:\\Games\\harbor.exe -game harbor -w 800 +connect 127.0.1.1:27015");
    const std::u16string password = u"open sesame";
    arguments.password = &password;
    arguments.parameters.clear();
    ASSERT_TRUE(BuildCommandLine(arguments, line));
    // Empty parameters leave two blanks in a row.
    EXPECT_EQ(line, u"C:\\Games\\harbor.exe -game harbor  +connect 127.0.1.1:27015 "
                    u"+password open sesame");
}

TEST(LaunchCommandLine, AnExecutableWithABlankIsQuotedOnce) {
    std::u16string line;
    ASSERT_TRUE(BuildCommandLine(Arguments(u"C:\\Program Files\\Harbor\\harbor.exe"), line));
    EXPECT_EQ(line.substr(0, 40), u"\"C:\\Program Files\\Harbor\\harbor.exe\" -ga");
    ASSERT_TRUE(BuildCommandLine(Arguments(u"\"C:\\Program Files\\h.exe\""), line));
    EXPECT_EQ(line.substr(0, 26), u"\"C:\\Program Files\\h.exe\" -");
}

TEST(LaunchCommandLine, ALineThatWouldNotFitIsRefusedNotCut) {
    LaunchArguments arguments = Arguments(u"g.exe");
    const std::u16string before = u"g.exe -game harbor -w 800 +connect 127.0.1.1:27015 +password ";
    std::u16string password(kCommandLineChars - 1 - before.size(), u'p');
    arguments.password = &password;
    std::u16string line = u"untouched";
    ASSERT_TRUE(BuildCommandLine(arguments, line));
    EXPECT_EQ(line.size(), kCommandLineChars - 1);
    password += u'p';
    line = u"untouched";
    EXPECT_FALSE(BuildCommandLine(arguments, line));
    EXPECT_EQ(line, u"untouched");
}

TEST(LaunchCommandLine, WorkingFolderIsThePathWithoutItsLastPart) {
    EXPECT_EQ(WorkingFolder(u"Z:/work/bin/harbor.exe"), u"Z:/work/bin");
    EXPECT_EQ(WorkingFolder(u"C:\\harbor.exe"), u"C:\\");
    EXPECT_EQ(WorkingFolder(u"harbor.exe"), u"");
}

} // namespace
} // namespace Portico
