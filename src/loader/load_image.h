// Loading any picture file into a bitmap the way every part of the program does:
// the kind from the file's first bytes, else from its name, that kind's decoder,
// and the loader's own messages when it fails.
//   LoadImage(holder, path, reporter);   // the holder is empty after a failure
//   const Bitmap picture = ReadPicture(path, &kind_name);   // throws instead
//   LoadImage(holder, path, reporter, {.upright = settings.upright});   // photos turned upright
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "common/reporter.h"
#include "image/bitmap.h"

namespace sf {

struct LoadOptions {
  // A JPEG photo is turned as its EXIF orientation says; other kinds load as stored.
  bool upright = false;
};

// Decodes the file by its kind and sets *kind_name (when given) to "Bitmap",
// "JPEG", "GIF", "Icon (.ico)", "Windows Meta file (.wmf)", "Enhanced Meta file
// (.emf)", "PNG", or "Unknown" for a file handed to the general reader. Throws
// FormatError or std::runtime_error with the failure's own message.
Bitmap ReadPicture(const std::string& path, std::string* kind_name, const LoadOptions& options = {});
// The same for a file's bytes already read; name is the file's name (only its
// extension counts, when the content does not tell the kind).
Bitmap DecodePicture(std::span<const std::uint8_t> bytes, const std::string& name, std::string* kind_name,
                     const LoadOptions& options = {});

// Empties the holder, then loads the picture into it. A missing file, or one
// that fails to load, is reported through the reporter and leaves the holder
// empty.
void LoadImage(Bitmap& holder, const std::string& path, Reporter& reporter, const LoadOptions& options = {});

// The kind name of the picture last loaded by LoadImage anywhere in the program
// ("" before the first); a failed load keeps the previous one.
const std::string& LastLoadedKindName();

}  // namespace sf
