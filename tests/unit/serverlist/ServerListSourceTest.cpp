#include "LoopbackHttpServer.h"
#include "ServerListTestData.h"

#include "serverlist/ServerListSource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

using namespace Portico;
using namespace Portico::Test;

TEST(ServerListSource, LoadsAPackedFile) {
    const std::vector<ServerAddress> servers = ManyServers(100);
    const std::string name = testing::TempDir() + "portico_source_test.fsl";
    {
        const std::vector<unsigned char> body = Pack(servers);
        std::ofstream file(name, std::ios::binary);
        file.write(reinterpret_cast<const char*>(body.data()), std::streamsize(body.size()));
    }
    std::vector<ServerAddress> loaded;
    ASSERT_TRUE(LoadServerList(name, loaded));
    EXPECT_EQ(loaded, servers);
    std::remove(name.c_str());
    EXPECT_FALSE(LoadServerList(name, loaded));
    EXPECT_TRUE(loaded.empty());
}

TEST(ServerListSource, LoadsAUrl) {
    LoopbackHttpServer server;
    ASSERT_TRUE(server.Started());
    const std::vector<ServerAddress> servers = ManyServers(100);
    server.Serve("/fsl/1_2.fsl", FileReply(AsText(Pack(servers)), "Sun, 06 Nov 1994 08:49:37 GMT"));
    server.Serve("/broken.fsl", FileReply("not a list", "Sun, 06 Nov 1994 08:49:37 GMT"));
    const std::string base = "http://" + server.HostAndPort();
    std::vector<ServerAddress> loaded;
    ASSERT_TRUE(LoadServerList(base + "/fsl/1_2.fsl", loaded));
    EXPECT_EQ(loaded, servers);
    EXPECT_FALSE(LoadServerList(base + "/broken.fsl", loaded));
    EXPECT_FALSE(LoadServerList(base + "/missing.fsl", loaded));
    EXPECT_FALSE(LoadServerList("http://:80/x", loaded));
    EXPECT_TRUE(loaded.empty());
}
