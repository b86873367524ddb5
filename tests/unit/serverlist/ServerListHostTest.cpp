#include "serverlist/ServerListHost.h"
#include "serverlist/Deployment.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace Portico;

TEST(ServerListHost, ReadsNameAndOptionalPort) {
    ServerListHost host;
    ASSERT_TRUE(ParseServerListHost("127.0.0.1:8123", host));
    EXPECT_EQ(host.name, u"127.0.0.1");
    EXPECT_EQ(host.port, 8123);
    ASSERT_TRUE(ParseServerListHost("lists.example.invalid", host));
    EXPECT_EQ(host.name, u"lists.example.invalid");
    EXPECT_EQ(host.port, 0); // the default HTTP port
    // The port's own rules are the address reader's; one of them shows it is applied.
    for (const char* bad : {"", ":80", "host:0"})
        EXPECT_FALSE(ParseServerListHost(bad, host)) << bad;
}

namespace {

void SetHostVariable(const char* value) {
#ifdef _WIN32
    _putenv_s(kServerListHostVariable, value);
#else
    setenv(kServerListHostVariable, value, 1);
#endif
}

} // namespace

TEST(ServerListHost, DefaultCannotResolveAndTheVariableReplacesIt) {
    const std::string fallback = kServerListHostDefault;
    EXPECT_EQ(fallback.substr(fallback.size() - 8), ".invalid");
    SetHostVariable("127.0.0.1:9");
    ServerListHost host = ConfiguredServerListHost();
    EXPECT_EQ(host.name, u"127.0.0.1");
    EXPECT_EQ(host.port, 9);
    SetHostVariable("bad:port");
    host = ConfiguredServerListHost(); // an unusable setting falls back to the built-in host
    EXPECT_EQ(host.name, u"fsl.portico.invalid");
    EXPECT_EQ(host.port, 0);
    SetHostVariable(""); // unset on Windows; empty, and so unusable, elsewhere
}
