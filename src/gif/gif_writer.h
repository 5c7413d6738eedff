// Writing a TGIFImage as a GIF file: version 89a when any frame carries an
// extension, colour tables padded to a power of two, LZW image data in
// sub-blocks of at most 255 bytes.
//   std::ofstream out(path, std::ios::binary);  WriteGif(image, out);
//   WriteGifFile(image, path);   // replaces path only once the file is complete
#pragma once

#include <iosfwd>
#include <string>

namespace sf {

class TGIFImage;

// Throws GIFException "Unsupported GIF version" for an image without frames and
// "Color not in color table" for a pixel beyond its frame's table, both before
// the first byte is written.
void WriteGif(const TGIFImage& image, std::ostream& out);
// Writes to a new file beside path and renames it over path; on failure path
// is untouched and no partial file stays behind.
void WriteGifFile(const TGIFImage& image, const std::string& path);

}  // namespace sf
