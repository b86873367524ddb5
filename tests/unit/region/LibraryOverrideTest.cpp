// Run by CTest once per override file, since the library reads it once: with QUILLON_OVERRIDE
// naming data/loopback.override.txt (OverrideFile.*) or data/malformed.override.txt
// (MalformedOverrideFile.*), and without it (OverrideBesideLibrary.*).
#include "LookupAnswer.h"
#include "RangeTableImage.h"
#include "region/RegionLibrary.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

using Portico::RegionLibrary;
using RegionTest::ExpectAnswer;
using RegionTest::Ip;

namespace {

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
    RegionLibrary& shared = RegionLibrary::Instance();
    ExpectAnswer(shared, Ip(127, 0, 1, 5), 7, "DE", 2);
    ExpectAnswer(shared, Ip(127, 0, 2, 200), 12, "US", 2);
    ExpectAnswer(shared, Ip(127, 0, 3, 1), 1, "SG", 2);
    ExpectAnswer(shared, Ip(127, 0, 0, 1), 0, "", 0);
    ExpectAnswer(shared, Ip(127, 0, 4, 1), 0, "", 0);
    ExpectAnswer(shared, Ip(8, 8, 4, 4), 8, "FR", 2); // the data says US
    ExpectAnswer(shared, Ip(8, 8, 8, 8), 12, "US", 1);
}

TEST_F(MalformedOverrideFile, IsRefusedWholeAndTheDataStillAnswers) {
    RegionLibrary& shared = RegionLibrary::Instance();
    ExpectAnswer(shared, Ip(127, 0, 1, 5), 0, "", 0); // its first lines are good, yet unused
    ExpectAnswer(shared, Ip(8, 8, 4, 4), 12, "US", 1);
    ExpectAnswer(shared, Ip(8, 8, 8, 8), 12, "US", 1);
}

TEST_F(OverrideBesideLibrary, IsReadFromTheLibrarysFolder) {
    RegionLibrary library(folder.u8string());
    ASSERT_TRUE(library.IsLoaded());
    ExpectAnswer(library, Ip(127, 0, 1, 5), 7, "DE", 2);
    ExpectAnswer(library, Ip(8, 8, 4, 4), 8, "FR", 2);
    ExpectAnswer(library, Ip(8, 8, 8, 8), 12, "US", 1);
    ExpectAnswer(library, Ip(127, 0, 2, 5), 0, "", 0);
}
