#include "gif/gif_optimiser.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>
#include <unordered_set>

#include "gif/gif_extensions.h"
#include "gif/gif_image.h"
#include "gif/gif_lzw_encoder.h"
#include "gif/gif_wu_quantizer.h"

namespace sf {

namespace {

// Runs work(0 .. count - 1) on up to threads threads; rethrows the first failure.
template <typename Work>
void ForEachIndex(std::size_t count, int threads, const Work& work) {
  std::atomic<std::size_t> next{0};
  std::exception_ptr failure;
  std::mutex failure_mutex;
  const auto run = [&] {
    for (std::size_t i = next++; i < count; i = next++) {
      try {
        work(i);
      } catch (...) {
        const std::lock_guard lock(failure_mutex);
        if (!failure) failure = std::current_exception();
        next = count;
      }
    }
  };
  const std::size_t helpers = std::min<std::size_t>(static_cast<std::size_t>(std::max(threads, 1)), count) - 1;
  std::vector<std::thread> pool;
  for (std::size_t k = 0; k < helpers && count > 0; ++k) pool.emplace_back(run);
  run();
  for (std::thread& thread : pool) thread.join();
  if (failure) std::rethrow_exception(failure);
}

Rgb ColorAt(std::span<const std::uint8_t> rgb, std::size_t i) { return {rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]}; }

// The colours of the pixels marked in drawn, when there are at most limit of them.
std::optional<std::vector<Rgb>> ExactColors(const GifFramePlan& plan, int limit) {
  std::unordered_set<std::uint32_t> seen;
  for (std::size_t i = 0; i < plan.opaque.size(); ++i) {
    if (plan.opaque[i] == 0) continue;
    seen.insert(ToColorRef(ColorAt(plan.rgb, i)));
    if (static_cast<int>(seen.size()) > limit) return std::nullopt;
  }
  std::vector<Rgb> colors;
  for (const std::uint32_t c : seen) colors.push_back(FromColorRef(c));
  std::sort(colors.begin(), colors.end(), [](Rgb a, Rgb b) { return ToColorRef(a) < ToColorRef(b); });
  return colors;
}

ColorHistogram HistogramOf(const GifFramePlan& plan) {
  ColorHistogram histogram;
  for (std::size_t i = 0; i < plan.opaque.size(); ++i) {
    if (plan.opaque[i] != 0) histogram.Add(ColorAt(plan.rgb, i));
  }
  return histogram;
}

// A frame leaves some pixel as it is (transparent) unless it changes every pixel it covers.
bool KeepsPixels(const GifFramePlan& plan) {
  return std::find(plan.changed.begin(), plan.changed.end(), 0) != plan.changed.end();
}

struct Palette {
  std::vector<Rgb> colors;   // without the transparent entry
  bool exact = false;        // holds every colour it is used for
};

Palette PaletteFor(const ColorHistogram& histogram, std::optional<std::vector<Rgb>> exact, int limit) {
  if (exact) return {std::move(*exact), true};
  return {QuantizeWu(histogram, limit), false};
}

// The fewest colours whose mean squared error per component stays below the
// target PSNR; its error against the picture in error.
Palette SmallestGoodPalette(const ColorHistogram& histogram, std::optional<std::vector<Rgb>> exact, int limit,
                            double target_psnr, double& error) {
  if (exact) {
    error = 0;
    return {std::move(*exact), true};
  }
  const std::vector<int> occupied = histogram.Occupied();
  const double samples = 3.0 * static_cast<double>(std::max<std::uint64_t>(histogram.Total(), 1));
  const double allowed = 255.0 * 255.0 / std::pow(10.0, target_psnr / 10.0) * samples;
  Palette palette{QuantizeWuWithin(histogram, limit, allowed), false};
  error = PaletteError(histogram, occupied, palette.colors);
  return palette;
}

// A frame's own table must save at least this share of the shared table's
// error, over enough pixels to pay for the 768 bytes it takes.
constexpr double kLocalTableGain = 0.9;
constexpr int kLocalTableMinPixels = 4 * 768;

struct EncodedFrame {
  std::vector<std::uint8_t> indices;
  bool local = false;
  bool transparent = false;
};

std::vector<std::uint8_t> Indices(const GifFramePlan& plan, std::span<const std::uint8_t> drawn, const Palette& palette,
                                  GifDither dither) {
  const RgbPicture picture{plan.rect.right - plan.rect.left, plan.rect.bottom - plan.rect.top, plan.rgb, drawn};
  std::vector<std::uint8_t> indices(plan.opaque.size());
  // The transparent entry follows the colours.
  const auto transparent = static_cast<std::uint8_t>(std::min<std::size_t>(palette.colors.size(), 255));
  if (palette.exact) {
    MapExactly(picture, palette.colors, transparent, indices);
  } else {
    MapToPalette(picture, palette.colors, dither, transparent, indices);
  }
  return indices;
}

std::size_t EncodedSize(std::span<const std::uint8_t> indices, std::size_t table_size) {
  int bits = 2;
  while ((std::size_t{1} << bits) < table_size) ++bits;
  return EncodeGifLzw(indices, bits, TGIFCompression::gcLZW).size();
}

// Draws only the changed pixels, or every opaque pixel of the rectangle when
// that encodes smaller (runs of a picture's own colours can pack better than
// runs broken by transparent pixels).
EncodedFrame EncodeFrame(const GifFramePlan& plan, const Palette& palette, bool local, GifDither dither) {
  EncodedFrame frame;
  frame.local = local;
  frame.indices = Indices(plan, plan.changed, palette, dither);
  frame.transparent = KeepsPixels(plan);
  if (frame.transparent && plan.opaque != plan.changed) {
    std::vector<std::uint8_t> whole = Indices(plan, plan.opaque, palette, dither);
    const std::size_t table = palette.colors.size() + 1;
    if (EncodedSize(whole, table) < EncodedSize(frame.indices, table)) {
      frame.indices = std::move(whole);
      frame.transparent = std::find(plan.opaque.begin(), plan.opaque.end(), 0) != plan.opaque.end();
    }
  }
  return frame;
}

// Every colour of every frame, when each frame's own table holds all of its
// colours and together they fit in limit entries.
std::optional<std::vector<Rgb>> ExactUnion(const std::vector<Palette>& palettes, int limit) {
  std::unordered_set<std::uint32_t> seen;
  for (const Palette& palette : palettes) {
    if (!palette.exact) return std::nullopt;
    for (const Rgb c : palette.colors) seen.insert(ToColorRef(c));
    if (static_cast<int>(seen.size()) > limit) return std::nullopt;
  }
  std::vector<Rgb> colors;
  for (const std::uint32_t c : seen) colors.push_back(FromColorRef(c));
  std::sort(colors.begin(), colors.end(), [](Rgb a, Rgb b) { return ToColorRef(a) < ToColorRef(b); });
  return colors;
}

std::vector<Rgb> TableOf(const Palette& palette, bool with_transparent) {
  std::vector<Rgb> table = palette.colors;
  if (with_transparent) table.push_back(Rgb{});
  return table;
}

}  // namespace

GifOptimiser::GifOptimiser(int width, int height, GifOptimiserOptions options)
    : m_width(width), m_height(height), m_options(options) {
  if (width < 1 || height < 1 || width > 0xFFFF || height > 0xFFFF) {
    throw GIFException("Invalid GIF frame size");
  }
}

ShownPicture GifOptimiser::ShownFrom(const Bitmap& picture) const {
  if (picture.Width() != m_width || picture.Height() != m_height) throw GIFException("Invalid GIF frame size");
  ShownPicture shown;
  const std::size_t w = static_cast<std::size_t>(m_width);
  shown.rgb.resize(3 * w * static_cast<std::size_t>(m_height));
  std::vector<std::uint8_t> bgr(3 * w);
  for (int y = 0; y < m_height; ++y) {
    picture.ReadRowBgr(y, bgr);
    std::uint8_t* row = &shown.rgb[3 * w * static_cast<std::size_t>(y)];
    for (std::size_t x = 0; x < w; ++x) {
      row[3 * x] = bgr[3 * x + 2];
      row[3 * x + 1] = bgr[3 * x + 1];
      row[3 * x + 2] = bgr[3 * x];
    }
  }
  if (m_options.transparency != 1 && m_options.transparency != 2) return shown;

  const std::size_t key_pixel = m_options.transparency == 1 ? 0 : w * static_cast<std::size_t>(m_height - 1);
  const Rgb key = ColorAt(shown.rgb, key_pixel);
  const ShownPicture* below = m_options.draw_on_top && !m_frames.empty() ? m_frames.back().picture.get() : nullptr;
  const std::size_t count = w * static_cast<std::size_t>(m_height);
  for (std::size_t i = 0; i < count; ++i) {
    if (ColorAt(shown.rgb, i) != key) continue;
    if (below != nullptr && !below->Clear(i)) {
      std::copy_n(&below->rgb[3 * i], 3, &shown.rgb[3 * i]);
      continue;
    }
    if (shown.clear.empty()) shown.clear.assign(count, 0);
    shown.clear[i] = 1;
    std::fill_n(&shown.rgb[3 * i], 3, std::uint8_t{0});
  }
  return shown;
}

void GifOptimiser::Add(const Bitmap& picture, std::uint16_t delay) {
  ShownPicture shown = ShownFrom(picture);
  if (!m_frames.empty() && *m_frames.back().picture == shown) {
    AddDelay(delay);
    return;
  }
  m_frames.push_back({std::make_shared<const ShownPicture>(std::move(shown)), delay});
}

void GifOptimiser::Repeat(std::uint16_t delay) {
  if (m_frames.empty()) throw std::logic_error("GifOptimiser::Repeat before Add");
  AddDelay(delay);
}

// A delay holds 16 bits; past that the picture continues in a frame that changes nothing.
void GifOptimiser::AddDelay(std::uint16_t delay) {
  Frame& last = m_frames.back();
  if (std::uint32_t{last.delay} + delay <= 0xFFFF) {
    last.delay = static_cast<std::uint16_t>(last.delay + delay);
    return;
  }
  m_frames.push_back({last.picture, delay});
}

void GifOptimiser::Build(TGIFImage& image) const {
  if (m_frames.empty()) throw GIFException("Unsupported GIF version");
  std::vector<std::shared_ptr<const ShownPicture>> pictures;
  for (const Frame& frame : m_frames) pictures.push_back(frame.picture);
  const std::vector<GifFramePlan> plans = PlanGifFrames(pictures, m_width, m_height);
  const std::size_t count = plans.size();
  const int threads = m_options.threads;

  // Each frame's own colours, and all frames' colours together.
  bool any_transparent = false;
  for (const GifFramePlan& plan : plans) any_transparent = any_transparent || KeepsPixels(plan);
  std::vector<Palette> local(count);
  std::vector<double> local_error(count);
  ColorHistogram all;
  std::mutex all_mutex;
  ForEachIndex(count, threads, [&](std::size_t k) {
    const GifFramePlan& plan = plans[k];
    const int limit = KeepsPixels(plan) ? 255 : 256;
    const ColorHistogram histogram = HistogramOf(plan);
    local[k] = SmallestGoodPalette(histogram, ExactColors(plan, limit), limit, m_options.target_psnr, local_error[k]);
    const std::lock_guard lock(all_mutex);
    all.Merge(histogram);
  });
  const int global_limit = any_transparent ? 255 : 256;
  const Palette global = PaletteFor(all, ExactUnion(local, global_limit), global_limit);

  std::vector<EncodedFrame> encoded(count);
  ForEachIndex(count, threads, [&](std::size_t k) {
    const GifFramePlan& plan = plans[k];
    bool use_local = false;
    if (!global.exact && plan.OpaqueCount() >= kLocalTableMinPixels) {
      const ColorHistogram histogram = HistogramOf(plan);
      const double global_error = PaletteError(histogram, histogram.Occupied(), global.colors);
      use_local = local_error[k] < kLocalTableGain * global_error;
    }
    if (!global.exact && local[k].exact) use_local = true;
    encoded[k] = EncodeFrame(plan, use_local ? local[k] : global, use_local, m_options.dither);
  });

  image.Clear();
  image.SetScreenSize(static_cast<std::uint16_t>(m_width), static_cast<std::uint16_t>(m_height));
  // A table no frame uses is not written.
  if (!std::all_of(encoded.begin(), encoded.end(), [](const EncodedFrame& frame) { return frame.local; })) {
    image.GlobalColorMap().Assign(TableOf(global, any_transparent));
  }
  for (std::size_t k = 0; k < count; ++k) {
    const GifFramePlan& plan = plans[k];
    const EncodedFrame& frame = encoded[k];
    TGIFSubImage& sub = image.AppendFrame();
    sub.Place(static_cast<std::uint16_t>(plan.rect.left), static_cast<std::uint16_t>(plan.rect.top),
              static_cast<std::uint16_t>(plan.rect.right - plan.rect.left),
              static_cast<std::uint16_t>(plan.rect.bottom - plan.rect.top), 0);
    std::copy(frame.indices.begin(), frame.indices.end(), sub.MutableData().begin());
    const Palette& palette = frame.local ? local[k] : global;
    if (frame.local) sub.ColorMap().Assign(TableOf(palette, frame.transparent));
    if (k == 0) {
      auto loop = std::make_shared<TGIFAppExtNSLoop>();
      loop->SetLoops(m_options.loops);
      sub.AppendExtension(loop);
    }
    const std::shared_ptr<TGIFGraphicControlExtension> control = sub.CreateGraphicControlExtension();
    control->SetDelay(m_frames[k].delay);
    control->SetDisposal(plan.disposal);
    if (frame.transparent) {
      control->SetTransparent(true);
      control->SetTransparentColorIndex(static_cast<std::uint8_t>(palette.colors.size()));
    }
    sub.AppendExtension(control);
  }
}

}  // namespace sf
