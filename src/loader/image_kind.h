// What kind of picture a file holds: from the last four characters of its
// lower-cased name, from its first bytes (which win when a signature matches),
// and from its extension for the general reader.
//   PictureKind kind = KindFromName(lower_path);
//   if (auto by_content = KindFromContent(ReadFileStart(path, kSignatureBytes))) kind = *by_content;
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace sf {

enum class PictureKind { kBmp, kJpeg, kGif, kIcon, kWmf, kEmf, kPng, kOther };

// How many leading bytes the content tests look at.
inline constexpr std::size_t kSignatureBytes = 11;

// ".bmp", ".jpg", "jpeg", ".gif", ".ico", ".wmf", ".emf" at the end of the
// lower-cased path; anything else is kOther.
PictureKind KindFromName(std::string_view lower_path);

// The signatures in order: "BM", "JFIF" at bytes 6-9, "GIF", the icon header,
// the EMF record type, the two WMF headers, then the PNG signature. A file
// shorter than a signature does not match it.
std::optional<PictureKind> KindFromContent(std::span<const std::uint8_t> first_bytes);

// The general reader's choice by extension (".jpeg", ".png", ...), or kOther.
PictureKind KindFromExtension(std::string_view lower_path);

}  // namespace sf
