// Reading a GIF87a/GIF89a file into a TGIFImage, tolerant the way real files
// need: junk before the signature, zero bytes between blocks, missing trailers
// and image data cut short all load; damaged headers throw GIFException.
//   TGIFImage image;  ReadGif(bytes, image);   // or image.LoadFromStream(bytes)
#pragma once

#include <cstdint>
#include <span>

namespace sf {

class TGIFImage;

// Appends what the file holds to an empty image. On GIFException the frames
// read before the failure stay in the image. Warnings go to the image's handler.
void ReadGif(std::span<const std::uint8_t> bytes, TGIFImage& image);

}  // namespace sf
