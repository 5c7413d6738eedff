// Loading a 12-megapixel JPEG through the loader and fitting it onto a
// 1920 x 1080 frame with each resize method, 24- and 8-bit.
//   build-bench/bench/fit_bench --benchmark_filter=Fit
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "common/file_util.h"
#include "common/reporter.h"
#include "image/fitting.h"
#include "image/jpeg_writer.h"
#include "loader/load_image.h"

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// Gradients, waves and fine grain, so the JPEG costs what a photograph costs.
sf::Bitmap DrawPhoto() {
  sf::Bitmap photo(kWidth, kHeight);
  std::uint32_t grain = 2024;
  for (int y = 0; y < kHeight; ++y) {
    std::uint8_t* row = photo.Row(y).data();
    for (int x = 0; x < kWidth; ++x) {
      grain = grain * 1103515245 + 12345;
      const int noise = static_cast<int>((grain >> 16) & 7) - 4;
      const double wave = std::sin(x * 0.004) * std::cos(y * 0.006);
      row[3 * x] = static_cast<std::uint8_t>(std::clamp(180 - y * 120 / kHeight + noise, 0, 255));
      row[3 * x + 1] = static_cast<std::uint8_t>(std::clamp(110 + static_cast<int>(70 * wave) + noise, 0, 255));
      row[3 * x + 2] = static_cast<std::uint8_t>(std::clamp(80 + x * 120 / kWidth + noise, 0, 255));
    }
  }
  return photo;
}

// The JPEG file, written once per run into the temporary folder.
const std::string& PhotoPath() {
  static const std::string path = [] {
    const std::string file = "/tmp/slideforge-fit-bench-" + std::to_string(kWidth) + "x" + std::to_string(kHeight) + ".jpg";
    const auto bytes = sf::EncodeJpeg(DrawPhoto(), 90);
    sf::WriteWholeFile(file, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return file;
  }();
  return path;
}

const sf::Bitmap& LoadedPhoto() {
  static const sf::Bitmap photo = sf::ReadPicture(PhotoPath(), nullptr);
  return photo;
}

void BM_LoadJpeg(benchmark::State& state) {
  const std::string& path = PhotoPath();
  for (auto _ : state) {
    sf::Bitmap picture;
    sf::SilentReporter reporter;
    sf::LoadImage(picture, path, reporter);
    benchmark::DoNotOptimize(picture.Storage().data());
  }
}
BENCHMARK(BM_LoadJpeg)->Unit(benchmark::kMillisecond);

void BM_Fit(benchmark::State& state) {
  const auto method = static_cast<sf::ResizeMethod>(state.range(0));
  const auto depth = static_cast<sf::PixelFormat>(state.range(1));
  const sf::Bitmap& photo = LoadedPhoto();
  sf::Bitmap background(5, 5);
  background.Fill(sf::Rgb{0, 0, 0});
  sf::SilentReporter reporter;
  for (auto _ : state) {
    state.PauseTiming();
    sf::Bitmap picture = photo;
    state.ResumeTiming();
    sf::GetAspectedImage(picture, background, method, true, true, depth, 0, 0, 1080, 1920, reporter);
    benchmark::DoNotOptimize(picture.Storage().data());
  }
}
BENCHMARK(BM_Fit)
    ->ArgNames({"smooth", "bits"})
    ->Args({0, 24})
    ->Args({1, 24})
    ->Args({0, 8})
    ->Args({1, 8})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
