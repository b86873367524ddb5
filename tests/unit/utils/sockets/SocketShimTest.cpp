#include "utils/SocketShim.h"
#include "utils/SocketStartup.h"

#include <gtest/gtest.h>

namespace Shim = Utils::SocketShim;

TEST(SocketShim, OptionCallsReportTheirErrorAsBindDoes) {
    Utils::SocketStartup startup;
    const Shim::Handle stream = Shim::OpenStream();
    ASSERT_NE(stream, Shim::kNoSocket);
    EXPECT_EQ(Shim::SetBlocking(stream), 0);
    EXPECT_EQ(Shim::SetDontLinger(stream), 0);
    EXPECT_EQ(Shim::SetAbortiveClose(stream), 0);
    Shim::CloseSocket(stream);
    for (int error : {Shim::SetBlocking(Shim::kNoSocket), Shim::SetDontLinger(Shim::kNoSocket),
                      Shim::SetAbortiveClose(Shim::kNoSocket), Shim::Bind(Shim::kNoSocket, 0, 0)})
        EXPECT_TRUE(error == Shim::Error::kBadHandle || error == Shim::Error::kNotSocket) << error;
}
