#include "gif/gif_playback.h"

#include <algorithm>
#include <cstring>

#include "gif/gif_image.h"
#include "gif/gif_render.h"

namespace sf {

namespace {

constexpr Rgb kWhite{255, 255, 255};

const TGIFAppExtNSLoop* FirstLoopExtension(const TGIFImage& image) {
  for (int i = 0; i < image.Count(); ++i) {
    for (const auto& extension : image.Frame(i).Extensions()) {
      if (const auto* loop = dynamic_cast<const TGIFAppExtNSLoop*>(extension.get())) return loop;
    }
  }
  return nullptr;
}

// A copy of the canvas area inside rect.
Bitmap CopyArea(const Bitmap& canvas, const GifRect& rect) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return Bitmap();
  Bitmap area(rect.right - rect.left, rect.bottom - rect.top, PixelFormat::kBits24);
  for (int y = rect.top; y < rect.bottom; ++y) {
    std::memcpy(area.Row(y - rect.top).data(), canvas.Row(y).data() + 3 * static_cast<std::size_t>(rect.left),
                3 * static_cast<std::size_t>(area.Width()));
  }
  return area;
}

void FillArea(Bitmap& canvas, const GifRect& rect, Rgb color) {
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) canvas.SetPixelColor(x, y, color);
  }
}

}  // namespace

int GifPlaybackDelay(const TGIFSubImage& frame, TGIFDrawOptions options) {
  const TGIFGraphicControlExtension* control = frame.GraphicControlExtension();
  int delay = control != nullptr ? control->GetDelay() : 0;
  if (delay == 0) delay = GIFDefaultDelay;
  delay = std::max(delay, GIFMinimumDelay);
  if (!options.Contains(TGIFDrawOption::goAsync)) delay = std::min(delay, GIFMaximumDelay);
  return delay;
}

int GifFrameWait(int delay, int speed, int draw_ms) {
  const long long wait = (static_cast<long long>(delay) * GIFDelayExp - draw_ms / 2) * 100 / speed;
  return static_cast<int>(std::max(wait, 0LL));
}

GifPlayback PlanGifPlayback(const TGIFImage& image) {
  GifPlayback plan;
  const TGIFDrawOptions options = image.DrawOptions();
  plan.paused = image.AnimationSpeed() == 0;
  for (int i = 0; i < image.Count(); ++i) {
    const TGIFSubImage& frame = image.Frame(i);
    if (frame.Empty()) continue;
    const int wait = plan.paused ? 0 : GifFrameWait(GifPlaybackDelay(frame, options), image.AnimationSpeed());
    plan.pass.push_back(GifPlaybackStep{i, wait});
    if (plan.paused) return plan;
  }
  const bool may_repeat = options.Contains(TGIFDrawOption::goAnimate) && options.Contains(TGIFDrawOption::goLoop);
  const TGIFAppExtNSLoop* loop = FirstLoopExtension(image);
  if (!may_repeat || loop == nullptr) return plan;
  const bool asynchronous = options.Contains(TGIFDrawOption::goAsync);
  plan.endless = asynchronous && (loop->Loops() == 0 || options.Contains(TGIFDrawOption::goLoopContinously));
  plan.passes = std::max<int>(loop->Loops(), 1);
  return plan;
}

GifCompositor::GifCompositor(const TGIFImage& image) : m_image(image) { Restart(); }

void GifCompositor::Restart() {
  m_canvas = Bitmap(m_image.Width(), m_image.Height(), PixelFormat::kBits24);
  m_saved = Bitmap();
  m_drawn = -1;
}

const Bitmap& GifCompositor::ComposeTo(int index) {
  if (index <= m_drawn) Restart();
  while (m_drawn < index && m_drawn + 1 < m_image.Count()) DrawNext();
  return m_canvas;
}

GifRect GifCompositor::ClippedBounds(const TGIFSubImage& frame) const {
  const GifRect bounds = frame.GetBoundsRect();
  return {std::min(bounds.left, m_canvas.Width()), std::min(bounds.top, m_canvas.Height()),
          std::min(bounds.right, m_canvas.Width()), std::min(bounds.bottom, m_canvas.Height())};
}

void GifCompositor::DrawNext() {
  if (m_drawn >= 0) Dispose(m_image.Frame(m_drawn));
  const TGIFSubImage& frame = m_image.Frame(++m_drawn);
  const TGIFGraphicControlExtension* control = frame.GraphicControlExtension();
  if (control != nullptr && control->GetDisposal() == TDisposalMethod::dmPrevious) {
    m_saved = CopyArea(m_canvas, ClippedBounds(frame));
  }
  DrawGifFrame(frame, m_canvas, m_image.DrawOptions().Contains(TGIFDrawOption::goTransparent));
}

void GifCompositor::Dispose(const TGIFSubImage& frame) {
  const TGIFGraphicControlExtension* control = frame.GraphicControlExtension();
  if (control == nullptr || frame.Empty()) return;
  const GifRect area = ClippedBounds(frame);
  if (control->GetDisposal() == TDisposalMethod::dmBackground) {
    const TGIFColorMap& global = m_image.GlobalColorMap();
    const std::uint8_t background = m_image.BackgroundColorIndex();
    FillArea(m_canvas, area, background < global.Count() ? global[background] : kWhite);
  } else if (control->GetDisposal() == TDisposalMethod::dmPrevious) {
    m_canvas.Draw(m_saved, area.left, area.top);
  }
}

}  // namespace sf
