#include "region/RegionLibrary.h"
#include "LookupAnswer.h"
#include "RangeTableImage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <thread>
#include <vector>

using Portico::RegionLibrary;
using RegionTest::ExpectAnswer;
using RegionTest::Ip;

namespace {

namespace fs = std::filesystem;

// A fresh folder under the temporary folder, removed at the end of the test.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::random_device seed;
        path = fs::temp_directory_path() / ("portico-region-" + std::to_string(seed()));
        fs::create_directories(path);
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
};

} // namespace

TEST(RegionLibrary, MissingLibraryOrAFileThatIsNoneGivesRegionZero) {
    TemporaryFolder folder;
    RegionLibrary missing((folder.path / "nothing-here").u8string());
    EXPECT_FALSE(missing.IsLoaded());
    ExpectAnswer(missing, Ip(8, 8, 8, 8), 0, "", 0);
    ExpectAnswer(missing, 0xFFFFFFFF, 0, "", 0);

    for (const char* name : {"libquillon.so", "Quillon.dll"})
        std::ofstream(folder.path / name) << "not a library";
    RegionLibrary fake(folder.path.u8string());
    EXPECT_FALSE(fake.IsLoaded());
    ExpectAnswer(fake, Ip(8, 8, 8, 8), 0, "", 0);
}

TEST(RegionLibrary, ConcurrentLookupsGiveTheSameAnswers) {
    RegionLibrary library; // a fresh instance, so the threads race for the first load
    std::vector<uint32_t> addresses;
    std::mt19937 random(3);
    for (int i = 0; i < 4000; ++i)
        addresses.push_back(static_cast<uint32_t>(random()));

    constexpr int kThreads = 4;
    std::vector<std::vector<uint32_t>> answers(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (uint32_t ip : addresses) {
                uint8_t out[3];
                uint8_t region = library.Lookup(ip, out);
                answers[t].push_back(uint32_t{region} << 24 | uint32_t{out[0]} << 16 |
                                     uint32_t{out[1]} << 8 | out[2]);
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    ASSERT_TRUE(library.IsLoaded());
    for (int t = 1; t < kThreads; ++t)
        EXPECT_EQ(answers[t], answers[0]);
    for (size_t i = 0; i < addresses.size(); ++i) {
        uint8_t out[3];
        uint8_t region = RegionLibrary::Instance().Lookup(addresses[i], out);
        ASSERT_EQ(answers[0][i] >> 24, region);
    }
}
