#include "FakeHost.h"

#include "panels/GameListBadge.h"
#include "panels/WebPage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace Portico {
namespace {

class WebPageTest : public ::testing::Test {
protected:
    std::u16string Page(const std::string& language) {
        std::filesystem::create_directories(host.Folder() / "web");
        const auto file = host.Folder() / "web" / ("portico." + language + ".html");
        std::ofstream(file) << "<html></html>";
        return file.u16string();
    }

    Portico::Test::FakeHost host;
    WebPage page;
};

TEST_F(WebPageTest, TheUsersLanguageElseEnglishAndTheChoiceIsKept) {
    const std::u16string english = Page("en"), german = Page("de");
    host.language = u"de";
    EXPECT_EQ(WebPage().Path(host), german);
    host.language = u"fr";
    EXPECT_EQ(page.Path(host), english);
    host.language = u"de"; // a later language whose page exists does not change the choice
    EXPECT_EQ(page.Path(host), english);
}

TEST_F(WebPageTest, NeitherPageGivesNothingEveryTimeAndAFolderIsNoPage) {
    const auto folder = host.Folder() / "web" / "portico.en.html";
    std::filesystem::create_directories(folder);
    host.language = u"fr";
    EXPECT_TRUE(page.Path(host).empty());
    std::filesystem::remove(folder);
    const std::u16string english = Page("en");
    EXPECT_TRUE(page.Path(host).empty());
    EXPECT_EQ(WebPage().Path(host), english);
}

TEST(GameListBadge, OnlyTheCategoryRowAtItsItemStageGetsTheBadge) {
    EXPECT_TRUE(GameListBadge::Draws(0x10001, 6));
    EXPECT_FALSE(GameListBadge::Draws(0x10001, 5)); // a game row
    EXPECT_FALSE(GameListBadge::Draws(0x10002, 6)); // the item's post-paint
    EXPECT_FALSE(GameListBadge::Draws(0x00001, 6)); // the whole control's pre-paint
}

} // namespace
} // namespace Portico
