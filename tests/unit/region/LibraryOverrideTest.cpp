// Run by CTest once per override file, since the library reads it once: with QUILLON_OVERRIDE
// naming data/loopback.override.txt (OverrideFile.*) or data/malformed.override.txt
// (MalformedOverrideFile.*), and without it (OverrideBesideLibrary.*).
#include "RangeTableImage.h"
#include "region/RegionLibrary.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

using Portico::RegionLibrary;
using RegionTest::Ip;

namespace {

struct Answer {
    int region;
    std::string code;
    int source;
};

Answer Ask(uint32_t ip, RegionLibrary& library = RegionLibrary::Instance()) {
    uint8_t out[3];
    int region = library.Lookup(ip, out);
    std::string code;
    if (out[0] || out[1])
        code = {static_cast<char>(out[0]), static_cast<char>(out[1])};
    return {region, code, out[2]};
}

void ExpectAnswer(uint32_t ip, int region, const std::string& code, int source,
                  RegionLibrary& library = RegionLibrary::Instance()) {
    Answer answer = Ask(ip, library);
    EXPECT_EQ(answer.region, region) << std::hex << ip;
    EXPECT_EQ(answer.code, code) << std::hex << ip;
    EXPECT_EQ(answer.source, source) << std::hex << ip;
}

class WithOverrideFile : public testing::Test {
protected:
    void SetUp() override {
        const char* named = std::getenv("QUILLON_OVERRIDE");
        ASSERT_TRUE(named && *named) << "run through CTest, which names the override file";
        ASSERT_TRUE(RegionLibrary::Instance().IsLoaded());
    }
};

using OverrideFile = WithOverrideFile;
using MalformedOverrideFile = WithOverrideFile;

namespace fs = std::filesystem;

// A copy of the built library and its table in a fresh folder, with an override file beside.
class OverrideBesideLibrary : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(std::getenv("QUILLON_OVERRIDE"), nullptr) << "the variable would take precedence";
        std::random_device seed;
        folder = fs::temp_directory_path() / ("portico-quillon-" + std::to_string(seed()));
        fs::create_directories(folder);
        fs::path library = fs::u8path(QUILLON_LIBRARY_PATH);
        fs::copy_file(library, folder / library.filename());
        fs::copy_file(library.parent_path() / "Quillon.dat", folder / "Quillon.dat");
        std::ofstream(folder / "Quillon.override.txt") << "127.0.1.0/24 DE\n8.8.4.0/24 FR\n";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    fs::path folder;
};

} // namespace

TEST_F(OverrideFile, WinsOverTheDataAndLeavesTheRestToIt) {
    ExpectAnswer(Ip(127, 0, 1, 5), 7, "DE", 2);
    ExpectAnswer(Ip(127, 0, 2, 200), 12, "US", 2);
    ExpectAnswer(Ip(127, 0, 3, 1), 1, "SG", 2);
    ExpectAnswer(Ip(127, 0, 0, 1), 0, "", 0);
    ExpectAnswer(Ip(127, 0, 4, 1), 0, "", 0);
    ExpectAnswer(Ip(8, 8, 4, 4), 8, "FR", 2); // the data says US
    ExpectAnswer(Ip(8, 8, 8, 8), 12, "US", 1);
}

TEST_F(MalformedOverrideFile, IsRefusedWholeAndTheDataStillAnswers) {
    ExpectAnswer(Ip(127, 0, 1, 5), 0, "", 0); // its first lines are good, yet unused
    ExpectAnswer(Ip(8, 8, 4, 4), 12, "US", 1);
    ExpectAnswer(Ip(8, 8, 8, 8), 12, "US", 1);
}

TEST_F(OverrideBesideLibrary, IsReadFromTheLibrarysFolder) {
    RegionLibrary library(folder.u8string());
    ASSERT_TRUE(library.IsLoaded());
    ExpectAnswer(Ip(127, 0, 1, 5), 7, "DE", 2, library);
    ExpectAnswer(Ip(8, 8, 4, 4), 8, "FR", 2, library);
    ExpectAnswer(Ip(8, 8, 8, 8), 12, "US", 1, library);
    ExpectAnswer(Ip(127, 0, 2, 5), 0, "", 0, library);
}
