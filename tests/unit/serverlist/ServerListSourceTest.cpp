#include "LoopbackHttpServer.h"
#include "ServerListTestData.h"

#include "serverlist/ServerListFile.h"
#include "serverlist/ServerListSource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

using namespace Portico;
using namespace Portico::Test;

// Each unusable file says why.
TEST(ServerListSource, ProblemsOfFiles) {
    std::vector<unsigned char> damaged = Pack(ManyServers(100));
    damaged.resize(damaged.size() / 2);
    // A declared table beyond the bound, with packed data long enough to hold it.
    std::vector<unsigned char> huge = Pack(ManyServers(1));
    const uint32_t tooMany = kMaxServerListTable + 6;
    for (int i = 0; i < 4; ++i)
        huge[i] = static_cast<unsigned char>(tooMany >> (8 * i));
    huge.resize(tooMany / kMaxLzmaExpansion + 64);
    const std::vector<std::pair<std::string, ServerListProblem>> cases = {
        {"tiny", ServerListProblem::kNotServerList},
        {AsText(damaged), ServerListProblem::kDamaged},
        {AsText(huge), ServerListProblem::kTooLarge},
    };
    const std::string name = testing::TempDir() + "portico_source_problem.fsl";
    for (const auto& item : cases) {
        {
            std::ofstream file(name, std::ios::binary);
            file << item.first;
        }
        std::vector<ServerAddress> loaded;
        EXPECT_EQ(LoadServerList(name, loaded), item.second) << item.first.size();
        EXPECT_TRUE(loaded.empty());
    }
    std::remove(name.c_str());
}

TEST(ServerListSource, LoadsAUrl) {
    LoopbackHttpServer server;
    ASSERT_TRUE(server.Started());
    const std::vector<ServerAddress> servers = ManyServers(100);
    server.Serve("/fsl/1_2.fsl", FileReply(AsText(Pack(servers)), "Sun, 06 Nov 1994 08:49:37 GMT"));
    server.Serve("/broken.fsl", FileReply("not a list", "Sun, 06 Nov 1994 08:49:37 GMT"));
    const std::string base = "http://" + server.HostAndPort();
    std::vector<ServerAddress> loaded;
    ASSERT_EQ(LoadServerList(base + "/fsl/1_2.fsl", loaded), ServerListProblem::kNone);
    EXPECT_EQ(loaded, servers);
    EXPECT_EQ(LoadServerList(base + "/broken.fsl", loaded), ServerListProblem::kNotServerList);
    EXPECT_EQ(LoadServerList(base + "/missing.fsl", loaded), ServerListProblem::kNotFetched);
    EXPECT_EQ(LoadServerList("http://:80/x", loaded), ServerListProblem::kNotFetched);
    EXPECT_TRUE(loaded.empty());
}
