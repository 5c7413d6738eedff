#include "tools/gif_frame_extraction.h"

#include <algorithm>
#include <array>

#include "common/format_error.h"
#include "common/number_format.h"
#include "gif/gif_image.h"
#include "image/halftone_palette.h"

namespace sf {

namespace {

constexpr int kViewLeadIn = 60;
constexpr int kGifProgressInterval = 5;

// Writes the pixels of one frame bitmap into the preview, colour by colour
// through the frame's palette; entries flagged as see-through are skipped.
class FramePainter {
 public:
  FramePainter(const Bitmap& frame_bitmap, Bitmap& preview, std::optional<Rgb> see_through)
      : m_frame(frame_bitmap), m_preview(preview) {
    const std::vector<Rgb>& palette = frame_bitmap.Palette();
    std::optional<NearestColorMapper> mapper;
    if (preview.Format() == PixelFormat::kBits8) mapper.emplace(preview.Palette());
    for (std::size_t i = 0; i < m_colors.size(); ++i) {
      m_colors[i] = i < palette.size() ? palette[i] : Rgb{};
      m_skip[i] = see_through && m_colors[i] == *see_through;
      if (mapper) m_indices[i] = mapper->Map(m_colors[i]);
    }
  }

  void PaintAt(int left, int top) {
    const int right = std::min(m_preview.Width(), left + m_frame.Width());
    const int bottom = std::min(m_preview.Height(), top + m_frame.Height());
    for (int y = top; y < bottom; ++y) {
      const auto source = m_frame.Row(y - top);
      auto target = m_preview.Row(y);
      for (int x = left; x < right; ++x) {
        const std::uint8_t index = source[static_cast<std::size_t>(x - left)];
        if (m_skip[index]) continue;
        Put(target, x, y, index);
      }
    }
  }

 private:
  void Put(std::span<std::uint8_t> row, int x, int y, std::uint8_t index) {
    switch (m_preview.Format()) {
      case PixelFormat::kBits8: row[static_cast<std::size_t>(x)] = m_indices[index]; break;
      case PixelFormat::kBits24: {
        const Rgb c = m_colors[index];
        const auto at = 3 * static_cast<std::size_t>(x);
        row[at] = c.b;
        row[at + 1] = c.g;
        row[at + 2] = c.r;
        break;
      }
      default: m_preview.SetPixelColor(x, y, m_colors[index]); break;
    }
  }

  const Bitmap& m_frame;
  Bitmap& m_preview;
  std::array<Rgb, 256> m_colors{};
  std::array<bool, 256> m_skip{};
  std::array<std::uint8_t, 256> m_indices{};
};

}  // namespace

int GifFrameTotal(const TGIFImage& image) {
  const int count = image.Count();
  if (count > 0 && image.Frame(count - 1).Width() == 0) return count - 1;
  return count;
}

int GifFrameTime(TGIFImage& image, int index) {
  TGIFSubImage& frame = image.Frame(index);
  frame.CreateGraphicControlExtension();
  return frame.GraphicControlExtension()->GetDelay() * 10;
}

GifDrawMethod PresetGifDrawMethod(const TGIFImage& image) {
  if (image.Count() == 0) return GifDrawMethod::kDrawOnTop;
  const TGIFGraphicControlExtension* control = image.Frame(0).GraphicControlExtension();
  if (control == nullptr) return GifDrawMethod::kDrawOnTop;
  const TDisposalMethod disposal = control->GetDisposal();
  return disposal == TDisposalMethod::dmNone || disposal == TDisposalMethod::dmNoDisposal ? GifDrawMethod::kDrawOnTop
                                                                                          : GifDrawMethod::kDrawNew;
}

GifAnimationInfo ReadGifAnimation(TGIFImage& image, const std::string& path) {
  image.LoadFromFile(path);
  GifAnimationInfo info;
  info.width = image.Width();
  info.height = image.Height();
  info.frames = GifFrameTotal(image);
  if (info.frames <= 0) throw FormatError("The GIF file holds no frames.");
  for (int i = 0; i < info.frames; ++i) {
    const int time = GifFrameTime(image, i);
    info.total_ms += time;
    if (i == 0) info.first_frame_ms = time;
  }
  if (info.total_ms > 0) info.average_rate = info.frames / (static_cast<double>(info.total_ms) / 1000);
  info.method = PresetGifDrawMethod(image);
  return info;
}

std::string GifTotalTimeText(long long total_ms) {
  return "Total Time: " + std::to_string(total_ms / 60000) + " min. " + std::to_string(total_ms % 60000 / 1000) +
         " sec. " + std::to_string(total_ms % 1000) + " ms.";
}

std::string GifAverageRateText(double rate) { return "Average FPS: " + FormatGeneral(rate); }

GifFrameDrawer::GifFrameDrawer(const TGIFImage& image)
    : m_image(image), m_marks(static_cast<std::size_t>(image.Count())) {}

void GifFrameDrawer::Draw(int index, GifDrawMethod method, Bitmap& preview) {
  const TGIFSubImage& frame = m_image.Frame(index);
  if (frame.Empty()) return;
  const Bitmap& bitmap = frame.GetBitmap();
  std::optional<Rgb>& mark = m_marks.at(static_cast<std::size_t>(index));
  if (method == GifDrawMethod::kDrawNew) {
    if (frame.Transparent()) preview.Fill(mark ? *mark : bitmap.PixelColor(0, bitmap.Height() - 1));
    FramePainter(bitmap, preview, std::nullopt).PaintAt(frame.Left(), frame.Top());
    return;
  }
  if (frame.Transparent()) mark = FromColorRef(frame.GraphicControlExtension()->GetTransparentColor());
  FramePainter(bitmap, preview, mark).PaintAt(frame.Left(), frame.Top());
}

void GifFrameDrawer::DrawForView(int index, GifDrawMethod method, Bitmap& preview) {
  for (int i = std::max(0, index - kViewLeadIn); i <= index; ++i) Draw(i, method, preview);
}

ExtractionResult ExtractGifFrames(const TGIFImage& image, GifFrameDrawer& drawer, const GifExtractionRequest& request,
                                  Bitmap& preview, Reporter& reporter, ProgressObserver& progress) {
  ExtractionSteps steps;
  steps.total = GifFrameTotal(image);
  steps.style.progress_interval = kGifProgressInterval;
  steps.style.reverse_numbers = true;
  steps.style.failure_message = "Error opening GIF file - ExtractBtnClick().";
  // The frames before the range build the picture up.
  steps.begin = [&] {
    for (int i = 0; i <= request.first - 2; ++i) drawer.Draw(i, request.method, preview);
  };
  steps.draw = [&](int index) { drawer.Draw(index, request.method, preview); };
  return RunFrameExtraction(request, steps, preview, reporter, progress);
}

}  // namespace sf
