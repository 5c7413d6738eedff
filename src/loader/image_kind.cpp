#include "loader/image_kind.h"

#include <algorithm>
#include <array>
#include <string>

#include "common/file_util.h"

namespace sf {

namespace {

struct NamedKind {
  std::string_view text;
  PictureKind kind;
};

constexpr std::array<NamedKind, 7> kNameEndings = {{
    {".bmp", PictureKind::kBmp},
    {".jpg", PictureKind::kJpeg},
    {"jpeg", PictureKind::kJpeg},
    {".gif", PictureKind::kGif},
    {".ico", PictureKind::kIcon},
    {".wmf", PictureKind::kWmf},
    {".emf", PictureKind::kEmf},
}};

constexpr std::array<NamedKind, 8> kExtensions = {{
    {".bmp", PictureKind::kBmp},
    {".jpg", PictureKind::kJpeg},
    {".jpeg", PictureKind::kJpeg},
    {".gif", PictureKind::kGif},
    {".ico", PictureKind::kIcon},
    {".wmf", PictureKind::kWmf},
    {".emf", PictureKind::kEmf},
    {".png", PictureKind::kPng},
}};

struct Signature {
  std::size_t offset;
  std::array<std::uint8_t, 8> bytes;
  std::size_t length;
  PictureKind kind;
};

constexpr std::array<Signature, 8> kSignatures = {{
    {0, {'B', 'M'}, 2, PictureKind::kBmp},
    {6, {'J', 'F', 'I', 'F'}, 4, PictureKind::kJpeg},
    {0, {'G', 'I', 'F'}, 3, PictureKind::kGif},
    {0, {0x00, 0x00, 0x01, 0x00}, 4, PictureKind::kIcon},
    {0, {0x01, 0x00, 0x00, 0x00}, 4, PictureKind::kEmf},
    {0, {0xD7, 0xCD, 0xC6, 0x9A, 0x00, 0x00}, 6, PictureKind::kWmf},
    {0, {0x01, 0x00, 0x09, 0x00, 0x00, 0x03}, 6, PictureKind::kWmf},
    {0, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, 8, PictureKind::kPng},
}};

}  // namespace

PictureKind KindFromName(std::string_view lower_path) {
  if (lower_path.size() < 4) return PictureKind::kOther;
  const std::string_view ending = lower_path.substr(lower_path.size() - 4);
  for (const NamedKind& named : kNameEndings) {
    if (ending == named.text) return named.kind;
  }
  return PictureKind::kOther;
}

std::optional<PictureKind> KindFromContent(std::span<const std::uint8_t> first_bytes) {
  for (const Signature& signature : kSignatures) {
    if (first_bytes.size() < signature.offset + signature.length) continue;
    if (std::equal(signature.bytes.begin(), signature.bytes.begin() + signature.length,
                   first_bytes.begin() + signature.offset)) {
      return signature.kind;
    }
  }
  return std::nullopt;
}

PictureKind KindFromExtension(std::string_view lower_path) {
  const std::string extension = LowerExtension(lower_path);
  for (const NamedKind& named : kExtensions) {
    if (extension == named.text) return named.kind;
  }
  return PictureKind::kOther;
}

}  // namespace sf
