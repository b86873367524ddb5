#include "BrowserFakes.h"

#include "browser/GameServerReport.h"
#include "browser/ReportDatagrams.h"
#include "browser/ReportEndpoint.h"
#include "utils/ResolveHost.h"

#include <gtest/gtest.h>

using namespace Portico;
using namespace Portico::Test;

using Bytes = std::vector<uint8_t>;

TEST(ReportDatagrams, AreaAndPlayReportsAreLittleEndian) {
    EXPECT_EQ(ReportDatagrams::Area(1003, 0xC0), (Bytes{0xE0, 0xEB, 0x03, 0xC0, 0x00}));
    EXPECT_EQ(ReportDatagrams::Area(1003, 0x44450000),
              (Bytes{0xE0, 0xEB, 0x03, 0x00, 0x00, 0x45, 0x44}));
    EXPECT_EQ(ReportDatagrams::Play(1028, 0x7F000001, 27960),
              (Bytes{0xE8, 0x04, 0x04, 0x01, 0x01, 0x00, 0x00, 0x7F, 0x38, 0x6D}));
}

TEST(GameServerReport, OnlyAChangedTripleActs) {
    GameServerReport report;
    const intptr_t ip = intptr_t(NetworkIp(10, 0, 0, 1));
    GameServerReport::Outcome outcome = report.Take(1003, NetworkPort(27015), ip);
    EXPECT_TRUE(outcome.changed && !outcome.statusOnly);
    EXPECT_EQ(outcome.ip, 0x0A000001u);
    EXPECT_EQ(outcome.port, 27015);
    EXPECT_FALSE(report.Take(1003, NetworkPort(27015), ip).changed);

    outcome = report.Take(1003, 0, 5); // the game left its server, with a status
    EXPECT_TRUE(outcome.statusOnly);
    EXPECT_EQ(outcome.status, 5);
    EXPECT_FALSE(report.Take(1003, 0, 5).changed); // (game, 0, 0) again
    EXPECT_TRUE(report.Take(1004, 0, -1).changed); // another game; no status: announced as none
}

TEST(ReportEndpoint, LoopbackUnlessConfigured) {
    const ReportEndpoint builtIn = ReportEndpoint::From(nullptr, Utils::ResolveHost);
    EXPECT_EQ(builtIn.ip, 0x7F000001u);
    EXPECT_EQ(builtIn.port, 24132);
    const ReportEndpoint configured = ReportEndpoint::From("127.0.0.9:24999", Utils::ResolveHost);
    EXPECT_EQ(configured.ip, 0x7F000009u);
    EXPECT_EQ(configured.port, 24999);
    // Anything unusable turns the reports off rather than sending them somewhere else.
    EXPECT_EQ(ReportEndpoint::From("127.0.0.9:24999x", Utils::ResolveHost).ip, 0u);
    EXPECT_EQ(ReportEndpoint::From("300.1.2.3", Utils::ResolveHost).ip, 0u);
}
