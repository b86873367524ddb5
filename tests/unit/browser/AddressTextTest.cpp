#include "browser/AddressText.h"
#include "utils/ResolveHost.h"

#include <gtest/gtest.h>

#include <string>

using namespace Portico;

namespace {

std::string lastHost;

// "server.test" and dotted loopback addresses resolve, nothing else.
uint32_t Resolve(const char* host) {
    lastHost = host;
    if (lastHost == "server.test")
        return 0x0A000001;
    return lastHost.rfind("127.", 0) == 0 ? Utils::ResolveHost(host) : Utils::kNoAddress;
}

AddressText::Result Parse(const std::u16string& text) {
    return AddressText::Parse(text, 1003, Resolve);
}

} // namespace

TEST(AddressText, SplitsAtTheFirstColonAndReadsThePortsDigits) {
    AddressText::Result result = Parse(u"127.0.0.2:27015:9");
    ASSERT_EQ(result.messageId, 0u);
    EXPECT_EQ(result.address.ip, 0x7F000002u);
    EXPECT_EQ(result.address.port, 27015);
    EXPECT_EQ(result.address.gameId, 1003);
    EXPECT_EQ(Parse(u"server.test:28960 the server").address.port, 28960);
    EXPECT_EQ(Parse(u"server.test").messageId, AddressText::kNoColonText);
}

TEST(AddressText, UnusableAddressesAreRefused) {
    for (const char16_t* text :
         {u"server.test:0", u"server.test:port", u"server.test:", u"server.test:65536",
          u"server.test:99999999999999999999", u"nowhere.test:27015", u":27015"})
        EXPECT_EQ(Parse(text).messageId, AddressText::kUnusableText);
    EXPECT_EQ(Parse(u"server.test:65535").messageId, 0u);

    Parse(u"s\u00e9rver.test:27015"); // no host name holds a unit beyond ASCII
    EXPECT_EQ(lastHost, "s?rver.test");
}

TEST(AddressText, LongTextsAreCutWithoutSplittingAPair) {
    EXPECT_EQ(AddressText::Cut(std::u16string(40, u'1')), std::u16string(31, u'1'));
    // A pair whose first half is the 31st unit goes whole.
    const std::u16string paired = std::u16string(30, u'1') + u"\U0001F600" + u"2";
    EXPECT_EQ(AddressText::Cut(paired), std::u16string(30, u'1'));
}
