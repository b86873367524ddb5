#include "LoopbackHttpServer.h"
#include "ServerListTestData.h"

#include "serverlist/HttpRequest.h"

#include <gtest/gtest.h>

#include <string>

using namespace Portico;
using namespace Portico::Test;

namespace {

const char* const kModified = "Sun, 06 Nov 1994 08:49:37 GMT";

std::string BodyText(const HttpRequest& request) {
    const auto& body = request.Body();
    return std::string(reinterpret_cast<const char*>(body.Data()), body.Size());
}

class HttpRequestTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.Started()); }

    bool Get(HttpRequest& request, const std::string& path) {
        return request.Get(u"127.0.0.1", std::u16string(path.begin(), path.end()), server.Port());
    }

    LoopbackHttpServer server;
};

} // namespace

TEST_F(HttpRequestTest, GetReadsHeadersAndLeavesTheBodyForReadBody) {
    server.Serve("/fsl/1003_7.fsl", FileReply("hello, list", kModified));
    HttpRequest request;
    ASSERT_TRUE(Get(request, "/fsl/1003_7.fsl"));
    EXPECT_EQ(request.ContentLength(), 11u);
    EXPECT_EQ(request.LastModified(), HttpSeconds(kModified));
    EXPECT_EQ(request.Body().Size(), 0u);
    ASSERT_TRUE(request.ReadBody(request.ContentLength()));
    EXPECT_EQ(BodyText(request), "hello, list");
    EXPECT_FALSE(request.ReadBody(10)); // the content has ended
    EXPECT_EQ(server.Requests(), std::vector<std::string>{"/fsl/1003_7.fsl"});
    EXPECT_NE(server.LastRequestHeaders().find("Accept-Encoding: none\r\n"), std::string::npos);
}

TEST_F(HttpRequestTest, ReadBodyTakesAtMostTheCountAndAppends) {
    std::string big(300 * 1024, 'x');
    for (size_t i = 0; i < big.size(); i += 997)
        big[i] = char('a' + i % 26);
    server.Serve("/big", FileReply(big, kModified));
    HttpRequest request;
    ASSERT_TRUE(Get(request, "/big"));
    ASSERT_TRUE(request.ReadBody(1000));
    EXPECT_EQ(BodyText(request), big.substr(0, 1000));
    ASSERT_TRUE(request.ReadBody(request.ContentLength()));
    EXPECT_EQ(BodyText(request), big);

    // A second Get on the same object starts with an empty body.
    server.Serve("/small", FileReply("abc", kModified));
    ASSERT_TRUE(Get(request, "/small"));
    EXPECT_EQ(request.Body().Size(), 0u);
    ASSERT_TRUE(request.ReadBody(3));
    EXPECT_EQ(BodyText(request), "abc");
}

TEST_F(HttpRequestTest, StatusOtherThan200AndMissingHeadersFail) {
    HttpReply notModified = FileReply("", kModified);
    notModified.status = 304;
    notModified.sendLength = false;
    server.Serve("/304", notModified);
    HttpReply missing = FileReply("body", kModified);
    missing.status = 404;
    server.Serve("/404", missing);
    HttpReply noTime;
    noTime.body = "body";
    server.Serve("/no-time", noTime);
    HttpReply badTime = FileReply("body", "yesterday");
    server.Serve("/bad-time", badTime);
    HttpReply noLength = FileReply("body", kModified);
    noLength.sendLength = false; // the content ends when the connection closes
    server.Serve("/no-length", noLength);

    for (const char* path : {"/304", "/404", "/no-time", "/bad-time", "/no-length", "/absent"}) {
        HttpRequest request;
        EXPECT_FALSE(Get(request, path)) << path;
        EXPECT_FALSE(request.ReadBody(4)) << path;
        EXPECT_EQ(request.Body().Size(), 0u) << path;
    }
    EXPECT_EQ(server.Requests().size(), 6u);
}

TEST_F(HttpRequestTest, TheFinalResponseCountsAfterAnInterimOne) {
    HttpReply reply = FileReply("hello", kModified);
    reply.interim = "HTTP/1.1 100 Continue\r\nLast-Modified: yesterday\r\n\r\n";
    server.Serve("/interim", reply);
    HttpRequest request;
    ASSERT_TRUE(Get(request, "/interim"));
    EXPECT_EQ(request.ContentLength(), 5u);
    EXPECT_EQ(request.LastModified(), HttpSeconds(kModified));
    ASSERT_TRUE(request.ReadBody(5));
    EXPECT_EQ(BodyText(request), "hello");
}

TEST_F(HttpRequestTest, ShortContentIsTakenAsItComes) {
    HttpReply shorter = FileReply("only this", kModified);
    shorter.sendLength = false;
    shorter.headers.push_back({"Content-Length", "100"});
    server.Serve("/short", shorter);
    HttpRequest request;
    ASSERT_TRUE(Get(request, "/short"));
    EXPECT_EQ(request.ContentLength(), 100u);
    ASSERT_TRUE(request.ReadBody(100));
    EXPECT_EQ(BodyText(request), "only this");
}

TEST_F(HttpRequestTest, EmptyContentReadsNothing) {
    server.Serve("/empty", FileReply("", kModified));
    HttpRequest request;
    ASSERT_TRUE(Get(request, "/empty"));
    EXPECT_EQ(request.ContentLength(), 0u);
    EXPECT_FALSE(request.ReadBody(16));
}

TEST(HttpRequest, NoServerAndClosedHandlesFailQuietly) {
    uint16_t port;
    {
        LoopbackHttpServer gone;
        ASSERT_TRUE(gone.Started());
        port = gone.Port();
    }
    HttpRequest request;
    EXPECT_FALSE(request.Get(u"127.0.0.1", u"/x", port));
    EXPECT_FALSE(request.ReadBody(1));
    request.CloseHandles();
    request.CloseHandles();
    EXPECT_EQ(request.Body().Size(), 0u);
}
