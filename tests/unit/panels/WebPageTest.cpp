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

TEST_F(WebPageTest, PageOfTheUsersLanguageComesFirst) {
    Page("en");
    const std::u16string german = Page("de");
    host.language = u"de";
    EXPECT_EQ(page.Path(host), german);
}

TEST_F(WebPageTest, MissingLanguageFallsBackToEnglishAndTheChoiceIsKept) {
    const std::u16string english = Page("en");
    host.language = u"fr";
    EXPECT_EQ(page.Path(host), english);
    // A later language whose page exists does not change the choice.
    Page("de");
    host.language = u"de";
    EXPECT_EQ(page.Path(host), english);
}

TEST_F(WebPageTest, NeitherPageGivesNothingEveryTime) {
    host.language = u"fr";
    EXPECT_TRUE(page.Path(host).empty());
    Page("en");
    EXPECT_TRUE(page.Path(host).empty());
}

TEST(WebPage, AFolderNamedLikeThePageIsNoPage) {
    Portico::Test::FakeHost host;
    std::filesystem::create_directories(host.Folder() / "web" / "portico.en.html");
    EXPECT_TRUE(WebPage().Path(host).empty());
}

TEST(GameListBadge, OnlyTheCategoryRowAtItsItemStageGetsTheBadge) {
    EXPECT_TRUE(GameListBadge::Draws(0x10001, 6));
    EXPECT_FALSE(GameListBadge::Draws(0x10001, 5)); // a game row
    EXPECT_FALSE(GameListBadge::Draws(0x10002, 6)); // the item's post-paint
    EXPECT_FALSE(GameListBadge::Draws(0x00001, 6)); // the whole control's pre-paint
}

} // namespace
} // namespace Portico
