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
    const struct {
        const char* path;
        int status;
        const char* modified; // null: no Last-Modified
        bool sendLength;      // without it the content ends when the connection closes
    } cases[] = {{"/304", 304, kModified, false},       {"/404", 404, kModified, true},
                 {"/no-time", 200, nullptr, true},      {"/bad-time", 200, "yesterday", true},
                 {"/no-length", 200, kModified, false}, {"/absent", 0, nullptr, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        HttpReply reply = c.modified ? FileReply("body", c.modified) : HttpReply();
        reply.body = "body";
        reply.status = c.status;
        reply.sendLength = c.sendLength;
        if (c.status != 0)
            server.Serve(c.path, reply);
        HttpRequest request;
        EXPECT_FALSE(Get(request, c.path));
        EXPECT_FALSE(request.ReadBody(4));
        EXPECT_EQ(request.Body().Size(), 0u);
    }
    EXPECT_EQ(server.Requests().size(), 6u);
}

TEST_F(HttpRequestTest, ContentIsWhatTheFinalResponseDeclaresAndSends) {
    HttpReply interim = FileReply("hello", kModified);
    interim.interim = "HTTP/1.1 100 Continue\r\nLast-Modified: yesterday\r\n\r\n";
    HttpReply shorter = FileReply("only this", kModified);
    shorter.sendLength = false;
    shorter.headers.push_back({"Content-Length", "100"}); // more than comes: taken as it comes
    const struct {
        const char* path;
        HttpReply reply;
        uint32_t length;
        const char* body; // null: nothing to read
    } cases[] = {{"/interim", interim, 5, "hello"},
                 {"/short", shorter, 100, "only this"},
                 {"/empty", FileReply("", kModified), 0, nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        server.Serve(c.path, c.reply);
        HttpRequest request;
        ASSERT_TRUE(Get(request, c.path));
        EXPECT_EQ(request.ContentLength(), c.length);
        EXPECT_EQ(request.LastModified(), HttpSeconds(kModified));
        EXPECT_EQ(request.ReadBody(c.length == 0 ? 16 : c.length), c.body != nullptr);
        EXPECT_EQ(BodyText(request), c.body ? c.body : "");
    }
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
