#include "query/ProtocolLibrary.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

using namespace Portico;

TEST(ProtocolLibrary, TheBuiltLibraryLoadsOnceBesideTheProgram) {
    const std::string path = ProtocolLibrary::DefaultPath();
#if defined(_WIN32)
    EXPECT_NE(path.find("\\dlls\\PorticoMan.dll"), std::string::npos) << path;
#else
    EXPECT_NE(path.find("/libporticoman.so"), std::string::npos) << path;
#endif
    ProtocolManager* manager = ProtocolLibrary::Manager();
    ASSERT_NE(manager, nullptr) << path;
    EXPECT_EQ(ProtocolLibrary::Manager(), manager);
    EXPECT_EQ(ProtocolLibrary::Load(path), manager); // one manager per process
    EXPECT_EQ(manager->InterfaceVersion(), kProtocolInterfaceVersion);
    EXPECT_NE(manager->GetProtocol(1005), nullptr);
}

// Threads that end after using the library release its per-thread streams and lists.
TEST(ProtocolLibrary, ThreadsComeAndGo) {
    ProtocolManager* manager = ProtocolLibrary::Manager();
    ASSERT_NE(manager, nullptr);
    const unsigned char challenge[] = {0xFF, 0xFF, 0xFF, 0xFF, 'A', 1, 2, 3, 4};
    std::vector<std::thread> threads;
    std::vector<int> followUps(4, 0);
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([manager, &challenge, &followUps, t] {
            const ServerAddress address{0x7F000001, uint16_t(28000 + t), 1003};
            ByteInStream datagram(challenge, sizeof challenge);
            bool followUp = false;
            manager->ParseReply(datagram, address, nullptr, nullptr, nullptr, &followUp);
            followUps[t] =
                followUp && manager->GetProtocol(1003)->BuildDetailRequest(address)->Size() == 29;
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(followUps, std::vector<int>(4, 1));
}

TEST(ProtocolLibrary, AMissingOrBrokenLibraryGivesNoManager) {
    const std::string path = ProtocolLibrary::DefaultPath();
    EXPECT_EQ(ProtocolLibrary::Load(path + ".missing"), nullptr);
    const std::string broken = path + ".broken";
    if (FILE* file = std::fopen(broken.c_str(), "wb")) {
        std::fputs("not a library", file);
        std::fclose(file);
    }
    EXPECT_EQ(ProtocolLibrary::Load(broken), nullptr);
    std::remove(broken.c_str());
}
