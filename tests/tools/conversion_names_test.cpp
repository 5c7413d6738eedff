#include "tools/conversion_names.h"

#include <gtest/gtest.h>

#include <set>

namespace sf {
namespace {

TEST(ConversionNames, ExtensionAndBaseNameOfAPath) {
  struct Row {
    std::string path;
    std::optional<std::string> extension;
    std::optional<std::string> base;
  };
  const std::vector<Row> rows = {
      {"/pics/a.JPG", ".JPG", "a"},
      {"/pics/holiday.2024.jpeg", ".jpeg", "holiday.2024"},
      {"/pics/.hidden", ".hidden", ""},
      {"/pics/noext", std::nullopt, std::nullopt},
      {"relative.bmp", ".bmp", std::nullopt},            // no folder separator
      {"/dir.d/noext", ".d/noext", std::nullopt},         // the only "." is in a folder name
      {"/p/a." + std::string(99, 'x'), "." + std::string(99, 'x'), "a"},
      {"/p/a." + std::string(100, 'x'), std::nullopt, "a"},  // "." beyond the last 100 characters
      {"", std::nullopt, std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    EXPECT_EQ(GetFileExtension(row.path), row.extension);
    EXPECT_EQ(GetBaseFileName(row.path), row.base);
  }
}

TEST(ConversionNames, OutputExtensionKeepsOnlySupportedInputTypes) {
  EXPECT_EQ(OutputExtension(0, ".JPG"), ".JPG");
  EXPECT_EQ(OutputExtension(0, ".Jpeg"), ".Jpeg");
  EXPECT_EQ(OutputExtension(0, ".gif"), ".gif");
  EXPECT_EQ(OutputExtension(0, ".BMP"), ".BMP");
  EXPECT_EQ(OutputExtension(0, ".ico"), ".bmp");
  EXPECT_EQ(OutputExtension(0, ".wmf"), ".bmp");
  EXPECT_EQ(OutputExtension(1, ".jpg"), ".bmp");
  EXPECT_EQ(OutputExtension(2, ".gif"), ".jpg");
  EXPECT_EQ(OutputExtension(3, ".bmp"), ".gif");
}

TEST(ConversionNames, ExistingFilesGrowPrefixOrPostfixChains) {
  const std::set<std::string> present = {"/o/photo.bmp", "/o/New_photo.bmp", "/o/photo_New.bmp"};
  const auto exists = [&](const std::string& path) { return present.count(path) > 0; };
  const auto choose = [&](IfFileExists choice, const std::string& text, const std::string& base = "photo") {
    return ChooseOutputName("/o/", base, ".bmp", choice, text, exists);
  };
  using Action = OutputName::Action;
  const OutputName prefixed = choose(IfFileExists::kAddPrefix, "New_");
  EXPECT_EQ(prefixed.action, Action::kWrite);
  EXPECT_EQ(prefixed.path, "/o/New_New_photo.bmp");
  EXPECT_EQ(choose(IfFileExists::kAddPostfix, "_New").path, "/o/photo_New_New.bmp");
  // A free name is kept whatever the choice.
  EXPECT_EQ(choose(IfFileExists::kAbort, "New_", "other").path, "/o/other.bmp");
  EXPECT_EQ(choose(IfFileExists::kAbort, "New_", "other").action, Action::kWrite);

  EXPECT_EQ(choose(IfFileExists::kOverwrite, "New_").path, "/o/photo.bmp");
  EXPECT_EQ(choose(IfFileExists::kOverwrite, "New_").action, Action::kWrite);
  EXPECT_EQ(choose(IfFileExists::kSkip, "New_").action, Action::kSkip);
  const OutputName aborted = choose(IfFileExists::kAbort, "New_");
  EXPECT_EQ(aborted.action, Action::kAbort);
  EXPECT_EQ(aborted.path, "/o/photo.bmp");
  // An empty text could never free the name.
  EXPECT_EQ(choose(IfFileExists::kAddPrefix, "").action, Action::kSkip);
  EXPECT_EQ(choose(IfFileExists::kAddPostfix, "").action, Action::kSkip);
}

}  // namespace
}  // namespace sf
