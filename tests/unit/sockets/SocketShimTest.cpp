#include "utils/SocketShim.h"

#include <gtest/gtest.h>

namespace Shim = Utils::SocketShim;
namespace Error = Utils::SocketShim::Error;

TEST(SocketShimRetry, DatagramErrorsThatMustNotStopReceiving) {
    for (int error :
         {Error::kInterrupted, Error::kWouldBlock, Error::kTryAgain, Error::kConnectionReset,
          Error::kNetworkReset, Error::kConnectionRefused, Error::kMessageSize})
        EXPECT_TRUE(Shim::IsDatagramRetry(error)) << error;
    for (int error : {Error::kNotSocket, Error::kShutDown, Error::kBadHandle, Error::kInvalid})
        EXPECT_FALSE(Shim::IsDatagramRetry(error)) << error;
}

TEST(SocketShimRetry, StreamErrorsThatAreWaitedOut) {
    for (int error : {Error::kNotEnoughMemory, Error::kInterrupted, Error::kFault,
                      Error::kWouldBlock, Error::kTryAgain})
        EXPECT_TRUE(Shim::IsStreamRetry(error)) << error;
    for (int error : {Error::kConnectionReset, Error::kConnectionAborted, Error::kShutDown,
                      Error::kMessageSize})
        EXPECT_FALSE(Shim::IsStreamRetry(error)) << error;
}

TEST(SocketShimOutcome, DatagramLongerThanBufferIsDropped) {
    const Shim::Received dropped = Shim::DatagramOutcome(4097, 4096, 1, 2);
    EXPECT_EQ(dropped.outcome, Shim::Outcome::Retry);
    EXPECT_EQ(dropped.error, Error::kMessageSize);
    const Shim::Received whole = Shim::DatagramOutcome(4096, 4096, 1, 2);
    EXPECT_EQ(whole.outcome, Shim::Outcome::Data);
    EXPECT_EQ(whole.size, 4096u);
    EXPECT_EQ(whole.ip, 1u);
    EXPECT_EQ(whole.port, 2);
}

TEST(SocketShimOutcome, StreamEndIsClosedAndBytesAreData) {
    EXPECT_EQ(Shim::StreamOutcome(0).outcome, Shim::Outcome::Closed);
    const Shim::Received data = Shim::StreamOutcome(7);
    EXPECT_EQ(data.outcome, Shim::Outcome::Data);
    EXPECT_EQ(data.size, 7u);
}
