// Building a 100-frame 640 x 480 animation as the GIF compile does (quantize,
// Pack after every frame, merge the colour tables, write) and reporting the
// peak resident memory, which should stay near 100 x 640 x 480 bytes plus a
// constant, and the time.
//   build-bench/bench/gif_memory_bench
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ostream>
#include <streambuf>

#include "gif/gif_image.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kFrames = 100;

// Gradients, moving waves and grain: every frame differs and has many colours.
sf::Bitmap DrawPhoto(int frame) {
  sf::Bitmap photo(kWidth, kHeight);
  std::uint32_t grain = 2024u + static_cast<std::uint32_t>(frame);
  const double phase = frame * 0.15;
  for (int y = 0; y < kHeight; ++y) {
    std::uint8_t* row = photo.Row(y).data();
    for (int x = 0; x < kWidth; ++x) {
      grain = grain * 1103515245u + 12345u;
      const int noise = static_cast<int>((grain >> 16) & 15) - 8;
      const double wave = std::sin(x * 0.013 + phase) * std::cos(y * 0.017 - phase);
      row[3 * x] = static_cast<std::uint8_t>(std::clamp(170 - y * 140 / kHeight + noise, 0, 255));
      row[3 * x + 1] = static_cast<std::uint8_t>(std::clamp(120 + static_cast<int>(90 * wave) + noise, 0, 255));
      row[3 * x + 2] = static_cast<std::uint8_t>(std::clamp(60 + x * 150 / kWidth + frame + noise, 0, 255));
    }
  }
  return photo;
}

// Counts the bytes written and keeps none of them.
class CountingBuffer : public std::streambuf {
 public:
  std::uint64_t count = 0;

 protected:
  int_type overflow(int_type c) override {
    if (c != traits_type::eof()) ++count;
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char*, std::streamsize n) override {
    count += static_cast<std::uint64_t>(n);
    return n;
  }
};

double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

void BM_BuildAnimation(benchmark::State& state) {
  const double before = PeakResidentMegabytes();
  std::uint64_t file_bytes = 0;
  for (auto _ : state) {
    sf::TGIFImage animation;
    animation.SetColorReduction(sf::TColorReduction::rmQuantize);
    for (int i = 0; i < kFrames; ++i) {
      const int k = animation.Add(DrawPhoto(i));
      sf::TGIFSubImage& frame = animation.Frame(k);
      if (k == 0) frame.AppendExtension(std::make_shared<sf::TGIFAppExtNSLoop>());
      auto control = frame.CreateGraphicControlExtension();
      control->SetDelay(4);
      frame.AppendExtension(control);
      animation.Pack();
    }
    animation.OptimizeColorMap();
    CountingBuffer buffer;
    std::ostream out(&buffer);
    animation.SaveToStream(out);
    file_bytes = buffer.count;
  }
  state.counters["frames_MB"] = kFrames * static_cast<double>(kWidth) * kHeight / (1024.0 * 1024.0);
  state.counters["peak_rss_MB"] = PeakResidentMegabytes();
  state.counters["rss_before_MB"] = before;
  state.counters["file_MB"] = static_cast<double>(file_bytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_BuildAnimation)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
