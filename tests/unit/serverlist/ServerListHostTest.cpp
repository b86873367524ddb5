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
    for (const char* bad : {"", ":80", "host:", "host:0", "host:65536", "host:8o", "host:123456"})
        EXPECT_FALSE(ParseServerListHost(bad, host)) << bad;
}

TEST(ServerListHost, DefaultCannotResolveAndTheVariableReplacesIt) {
    const std::string fallback = kServerListHostDefault;
    EXPECT_EQ(fallback.substr(fallback.size() - 8), ".invalid");
#ifdef _WIN32
    _putenv_s(kServerListHostVariable, "127.0.0.1:9");
#else
    setenv(kServerListHostVariable, "127.0.0.1:9", 1);
#endif
    ServerListHost host = ConfiguredServerListHost();
    EXPECT_EQ(host.name, u"127.0.0.1");
    EXPECT_EQ(host.port, 9);
#ifdef _WIN32
    _putenv_s(kServerListHostVariable, "bad:port");
#else
    setenv(kServerListHostVariable, "bad:port", 1);
#endif
    host = ConfiguredServerListHost(); // an unusable setting falls back to the built-in host
    EXPECT_EQ(host.name, u"fsl.portico.invalid");
    EXPECT_EQ(host.port, 0);
#ifdef _WIN32
    _putenv_s(kServerListHostVariable, "");
#else
    unsetenv(kServerListHostVariable);
#endif
}
