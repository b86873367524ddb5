#include "query/ProtocolLibrary.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

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
    GameProtocol* game = manager->GetProtocol(1005);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->BuildQuery()->Size(), 25u);
    EXPECT_EQ(manager->GetProtocol(7), nullptr);
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
