// Time per picture of every catalogue effect at its default value on a
// 1920 x 1080 photo-like picture drawn in code, and of one page-flip frame.
//   build-bench/bench/effects_bench --benchmark_filter=Effect/Twist
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "effects/apply_effect.h"
#include "effects/effect_catalogue.h"
#include "effects/page_flip.h"

namespace {

// Smooth sky-like gradients with a few hard-edged shapes and fine texture, so
// that region borders, flat areas and noise all occur as in a photograph.
sf::Bitmap MakePhoto(int width, int height) {
  sf::Bitmap photo(width, height);
  std::uint32_t grain = 12345;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = photo.Row(y).data();
    for (int x = 0; x < width; ++x) {
      grain = grain * 1103515245 + 12345;
      const int noise = static_cast<int>((grain >> 16) & 15) - 8;
      const double wave = std::sin(x * 0.01) * std::cos(y * 0.013);
      int r = 90 + static_cast<int>(80 * wave) + y * 60 / height;
      int g = 120 + static_cast<int>(60 * wave) - x * 30 / width;
      int b = 200 - y * 120 / height;
      if ((x / 240 + y / 180) % 3 == 0) r = 230, g = 40, b = 30;
      row[3 * x] = static_cast<std::uint8_t>(std::clamp(b + noise, 0, 255));
      row[3 * x + 1] = static_cast<std::uint8_t>(std::clamp(g + noise, 0, 255));
      row[3 * x + 2] = static_cast<std::uint8_t>(std::clamp(r + noise, 0, 255));
    }
  }
  return photo;
}

const sf::Bitmap& Photo() {
  static const sf::Bitmap photo = MakePhoto(1920, 1080);
  return photo;
}

void BM_Effect(benchmark::State& state, const std::string& name) {
  sf::EffectRange range;
  (void)sf::GetEffectSpecifications(Photo(), name, range);
  for (auto _ : state) {
    state.PauseTiming();
    sf::Bitmap picture = Photo();
    state.ResumeTiming();
    (void)sf::ApplyEffect(picture, name, range.default_value);
    benchmark::DoNotOptimize(picture.Storage().data());
  }
}

void BM_PageFlipFrame(benchmark::State& state) {
  const sf::Bitmap source = MakePhoto(287, 255);
  sf::Bitmap preview(287, 255);
  int frame = 0;
  for (auto _ : state) {
    sf::DrawPageFlipFrame(sf::PageFlip::kUp, source, preview, frame, 0x00FF00FF);
    frame = (frame + 1) % sf::kPageFlipFrames;
    benchmark::DoNotOptimize(preview.Storage().data());
  }
}
BENCHMARK(BM_PageFlipFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  for (const std::string& name : sf::GetEffectNames()) {
    benchmark::RegisterBenchmark(("Effect/" + name).c_str(), BM_Effect, name)->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
