#include "list/folder_listing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "list/cell_text.h"

namespace sf {
namespace {

TEST(FolderListing, MasksMatchAnyPatternInEitherCase) {
  const std::string all = FolderBrowserFilters()[0].mask;
  EXPECT_TRUE(MatchesMask("Photo.JPG", all));
  EXPECT_TRUE(MatchesMask("a.b.jpeg", all));
  EXPECT_TRUE(MatchesMask("x.wmf", FolderBrowserFilters()[5].mask));
  EXPECT_FALSE(MatchesMask("photo.jpg.txt", all));
  EXPECT_FALSE(MatchesMask("photo", all));
  EXPECT_FALSE(MatchesMask("x.png", all));
  EXPECT_TRUE(MatchesMask("img7.bmp", "img?.bmp"));
  EXPECT_FALSE(MatchesMask("img17.bmp", "img?.bmp"));
  EXPECT_TRUE(MatchesMask("a**b", "*b"));
  EXPECT_FALSE(MatchesMask("anything", ";;"));
}

TEST(FolderListing, ListsMatchingFilesSortedWithoutRegardToCase) {
  const auto folder = std::filesystem::temp_directory_path() / "sf_folder_listing_test";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder / "sub.jpg");
  for (const char* name : {"b.jpg", "A.bmp", "c.JPEG", "notes.txt", "a2.gif"}) std::ofstream(folder / name) << "x";
  EXPECT_EQ(ListMatchingFiles(folder.string(), FolderBrowserFilters()[0].mask),
            (std::vector<std::string>{"A.bmp", "a2.gif", "b.jpg", "c.JPEG"}))
      << "folders never show, even with a picture extension";
  EXPECT_EQ(ListMatchingFiles(folder.string(), "*.jpg;*.jpeg"), (std::vector<std::string>{"b.jpg", "c.JPEG"}));
  EXPECT_TRUE(ListMatchingFiles((folder / "missing").string(), "*.jpg").empty());
  std::filesystem::remove_all(folder);
}

TEST(FolderListing, ChosenPathDropsForbiddenCharactersAndEndsWithSlash) {
  EXPECT_EQ(RemoveForbiddenPathCharacters("/w<o>r*k?|\"s"), "/works");
  EXPECT_EQ(WithTrailingSlash("/data/Work"), "/data/Work/");
  EXPECT_EQ(WithTrailingSlash("/data/Work/"), "/data/Work/");
  EXPECT_EQ(WithTrailingSlash(""), "/");
}

// One pixel per byte, so widths are character counts.
int ByteWidth(std::string_view text) { return static_cast<int>(text.size()); }

TEST(CellText, LongTextsKeepThreeCharactersThenDotsThenTheirTail) {
  EXPECT_EQ(ShortenCellText("/pics/a.jpg", 20, ByteWidth), "/pics/a.jpg");
  // Shortened to fit 20, then six more go to make room for the dots.
  EXPECT_EQ(ShortenCellText("/home/user/pictures/holiday/beach1.jpg", 20, ByteWidth), "/ho.../beach1.jpg");
  // A column narrower than the three kept characters still ends the loop.
  EXPECT_EQ(ShortenCellText("abcdefghij", 2, ByteWidth), "abc...");
  // Multi-byte characters are removed whole.
  const std::string shortened = ShortenCellText("/é/ü/ö/ä/ß/photo.jpg", 12, ByteWidth);
  EXPECT_EQ(shortened.substr(0, 4), "/é/");
  EXPECT_EQ(shortened.substr(4, 3), "...");
}

}  // namespace
}  // namespace sf
