#include "gif/gif_render.h"

#include <algorithm>
#include <array>

#include "gif/gif_image.h"
#include "image/halftone_palette.h"

namespace sf {

namespace {

// Writes one colour index of the frame's table into a canvas row.
class PixelWriter {
 public:
  PixelWriter(const TGIFColorMap& table, Bitmap& canvas) : m_canvas(canvas) {
    for (std::size_t i = 0; i < m_colors.size(); ++i) m_colors[i] = table.ColorOrBlack(i);
    if (canvas.Format() == PixelFormat::kBits8) {
      NearestColorMapper mapper(canvas.Palette());
      for (std::size_t i = 0; i < m_colors.size(); ++i) m_indices[i] = mapper.Map(m_colors[i]);
    }
  }

  void Put(int x, int y, std::uint8_t index) {
    switch (m_canvas.Format()) {
      case PixelFormat::kBits8: m_canvas.Row(y)[x] = m_indices[index]; break;
      case PixelFormat::kBits24: {
        auto row = m_canvas.Row(y);
        const Rgb c = m_colors[index];
        row[3 * x] = c.b;
        row[3 * x + 1] = c.g;
        row[3 * x + 2] = c.r;
        break;
      }
      default: m_canvas.SetPixelColor(x, y, m_colors[index]); break;
    }
  }

 private:
  Bitmap& m_canvas;
  std::array<Rgb, 256> m_colors{};
  std::array<std::uint8_t, 256> m_indices{};
};

}  // namespace

void DrawGifFrame(const TGIFSubImage& frame, Bitmap& canvas, bool use_transparency) {
  if (frame.Empty()) return;
  const int transparent =
      use_transparency && frame.Transparent() ? frame.GraphicControlExtension()->GetTransparentColorIndex() : -1;
  PixelWriter writer(frame.ActiveColorMap(), canvas);
  const int right = std::min<int>(canvas.Width(), frame.Left() + frame.Width());
  const int bottom = std::min<int>(canvas.Height(), frame.Top() + frame.Height());
  const auto data = frame.Data();
  for (int y = frame.Top(); y < bottom; ++y) {
    const std::uint8_t* row = data.data() + static_cast<std::size_t>(y - frame.Top()) * frame.Width();
    for (int x = frame.Left(); x < right; ++x) {
      const std::uint8_t index = row[x - frame.Left()];
      if (index != transparent) writer.Put(x, y, index);
    }
  }
}

void DrawGifImage(const TGIFImage& image, Bitmap& canvas) {
  if (image.Count() == 0) return;
  DrawGifFrame(image.Frame(0), canvas, image.DrawOptions().Contains(TGIFDrawOption::goTransparent));
}

Bitmap RenderStill(const TGIFImage& image) {
  if (image.Count() > 0) {
    const TGIFSubImage& first = image.Frame(0);
    if (first.Width() == image.Width() && first.Height() == image.Height() && !first.Empty()) {
      return first.GetBitmap();
    }
  }
  Bitmap still(image.Width(), image.Height(), PixelFormat::kBits24);
  if (image.Count() > 0) DrawGifFrame(image.Frame(0), still, false);
  return still;
}

}  // namespace sf
