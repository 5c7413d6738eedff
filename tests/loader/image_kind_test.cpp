#include "loader/image_kind.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sf {
namespace {

TEST(ImageKind, NameGoesByTheLastFourCharactersOnly) {
  const std::pair<const char*, PictureKind> rows[] = {
      {"/pics/a.bmp", PictureKind::kBmp},   {"/pics/a.jpg", PictureKind::kJpeg}, {"/pics/a.jpeg", PictureKind::kJpeg},
      {"/pics/a.gif", PictureKind::kGif},   {"/pics/a.ico", PictureKind::kIcon}, {"/pics/a.wmf", PictureKind::kWmf},
      {"/pics/a.emf", PictureKind::kEmf},   {"/pics/a.png", PictureKind::kOther}, {"/pics/a.jpe", PictureKind::kOther},
      {"/pics/notjpeg", PictureKind::kJpeg},  // no dot needed: the ending is "jpeg"
      {"bmp", PictureKind::kOther},         {"", PictureKind::kOther},
  };
  for (const auto& [path, kind] : rows) EXPECT_EQ(KindFromName(path), kind) << path;
  EXPECT_EQ(KindFromExtension("/pics/a.png"), PictureKind::kPng);
  EXPECT_EQ(KindFromExtension("/pics/a.jpeg"), PictureKind::kJpeg);
  EXPECT_EQ(KindFromExtension("/pics/a.tif"), PictureKind::kOther);
  EXPECT_EQ(KindFromExtension("/pics/noextension"), PictureKind::kOther);
}

TEST(ImageKind, ContentTestsRunInOrderAndNeedTheWholeSignature) {
  using Bytes = std::vector<std::uint8_t>;
  const std::pair<Bytes, std::optional<PictureKind>> rows[] = {
      {{'B', 'M'}, PictureKind::kBmp},
      {{0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0}, PictureKind::kJpeg},
      {{0xFF, 0xD8, 0xFF, 0xE1, 0, 16, 'E', 'x', 'i', 'f', 0}, std::nullopt},  // a JPEG without JFIF
      {{'G', 'I', 'F', '8', '9', 'a'}, PictureKind::kGif},
      {{0, 0, 1, 0, 1, 0}, PictureKind::kIcon},
      {{1, 0, 0, 0, 0x6C, 0}, PictureKind::kEmf},
      {{0xD7, 0xCD, 0xC6, 0x9A, 0, 0}, PictureKind::kWmf},
      {{1, 0, 9, 0, 0, 3}, PictureKind::kWmf},
      {{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, PictureKind::kPng},
      {{'B', 'M', 0, 0, 0, 0, 'J', 'F', 'I', 'F'}, PictureKind::kBmp},  // the first test wins
      {{'G', 'I'}, std::nullopt},
      {{0xD7, 0xCD, 0xC6, 0x9A, 0}, std::nullopt},
      {{}, std::nullopt},
  };
  for (const auto& [bytes, kind] : rows) {
    EXPECT_EQ(KindFromContent(bytes), kind) << "first byte " << (bytes.empty() ? -1 : int{bytes[0]});
  }
}

}  // namespace
}  // namespace sf
