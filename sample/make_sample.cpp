// Draws the sample pictures of the bundled show into a folder: photo-like
// pictures of different sizes and kinds (JPEG, 24-, 8- and 4-bit BMP, PNG with
// alpha, ICO), named so that their natural order is the show's order, with a
// sound track and the project that plays them.
//   slideforge_make_sample build/sample
#include <png.h>

#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_util.h"
#include "image/bmp_writer.h"
#include "image/jpeg_writer.h"
#include "sample_drawing.h"
#include "sample_show.h"

namespace sf::sample {

namespace {

constexpr double kPi = 3.14159265358979323846;

Bitmap Sunset() {
  Bitmap picture(1600, 1000);
  FillVerticalGradient(picture, {{0.0, {28, 30, 84}}, {0.35, {142, 58, 112}}, {0.62, {250, 128, 60}},
                                 {0.7, {255, 200, 110}}, {1.0, {255, 220, 150}}});
  FillDisc(picture, 1040, 560, 150, Rgb{255, 190, 90}, 0.35);
  FillDisc(picture, 1040, 560, 95, Rgb{255, 236, 170});
  FillBelowCurve(picture, [](double x) { return 640 + 70 * std::sin(x / 260.0) + 25 * std::sin(x / 61.0); },
                 Rgb{118, 52, 76}, Rgb{60, 28, 54});
  FillBelowCurve(picture, [](double x) { return 790 + 45 * std::sin(x / 190.0 + 1.3) + 12 * std::sin(x / 37.0); },
                 Rgb{52, 24, 46}, Rgb{20, 10, 24});
  return picture;
}

Bitmap Poster() {
  Bitmap picture(800, 600);
  picture.Fill(Rgb{240, 228, 200});
  for (int i = 0; i < 8; ++i) FillRect(picture, 0, 40 + 70 * i, 800, 58 + 70 * i, Rgb{226, 210, 176});
  FillDisc(picture, 280, 260, 190, Rgb{214, 64, 52});
  FillDisc(picture, 520, 330, 150, Rgb{36, 84, 150}, 0.85);
  FillPolygon(picture, {{80, 560}, {400, 120}, {720, 560}}, Rgb{245, 190, 40});
  FillRect(picture, 600, 60, 760, 220, Rgb{30, 30, 36});
  FillDisc(picture, 680, 140, 50, Rgb{240, 228, 200});
  return picture;
}

// Stained glass: cells around random seeds, each coloured from a small palette
// of its own, with dark lead lines where two cells meet.
Bitmap StainedGlass() {
  const std::vector<Rgb> palette = {{20, 18, 24},   {176, 32, 44},  {214, 120, 30}, {232, 196, 60},
                                    {46, 126, 70},  {30, 88, 160},  {98, 52, 140},  {60, 170, 180},
                                    {200, 80, 120}, {240, 236, 220}, {120, 150, 40}, {150, 40, 30}};
  std::mt19937 random(1234);
  std::uniform_real_distribution<double> along_x(0, 640);
  std::uniform_real_distribution<double> along_y(0, 480);
  std::vector<Point> seeds(48);
  for (Point& seed : seeds) seed = {along_x(random), along_y(random)};

  Bitmap picture(640, 480, PixelFormat::kBits8);
  picture.SetPalette(palette);
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      double nearest = 1e18;
      double second = 1e18;
      std::size_t cell = 0;
      for (std::size_t i = 0; i < seeds.size(); ++i) {
        const double d = std::hypot(x - seeds[i].x, y - seeds[i].y);
        if (d < nearest) {
          second = nearest;
          nearest = d;
          cell = i;
        } else if (d < second) {
          second = d;
        }
      }
      const bool lead = second - nearest < 3.0;
      picture.SetPixelIndex(x, y, static_cast<std::uint8_t>(lead ? 0 : 1 + cell % (palette.size() - 1)));
    }
  }
  return picture;
}

RgbaCanvas Bubbles() {
  RgbaCanvas canvas(500, 500);
  std::mt19937 random(99);
  std::uniform_real_distribution<double> place(40, 460);
  std::uniform_real_distribution<double> size(20, 90);
  const Rgb colors[] = {{60, 140, 230}, {240, 90, 120}, {90, 200, 120}, {250, 200, 60}};
  for (int i = 0; i < 24; ++i) {
    const double x = place(random);
    const double y = place(random);
    const double r = size(random);
    canvas.FillDisc(x, y, r, colors[i % 4], 0.55);
    canvas.FillDisc(x - r * 0.35, y - r * 0.35, r * 0.18, Rgb{255, 255, 255}, 0.8);
  }
  return canvas;
}

Bitmap Lighthouse() {
  Bitmap picture(600, 1000);
  FillVerticalGradient(picture, {{0.0, {70, 120, 190}}, {0.6, {180, 210, 235}}, {0.62, {40, 90, 130}},
                                 {1.0, {16, 40, 70}}});
  FillPolygon(picture, {{0, 700}, {600, 760}, {600, 1000}, {0, 1000}}, Rgb{92, 84, 70});
  for (int band = 0; band < 6; ++band) {
    const double top = 300 + band * 70;
    const double half_top = 40 + band * 4;
    const double half_bottom = 44 + band * 4;
    FillPolygon(picture, {{300 - half_top, top}, {300 + half_top, top}, {300 + half_bottom, top + 70},
                          {300 - half_bottom, top + 70}},
                band % 2 == 0 ? Rgb{235, 235, 230} : Rgb{200, 40, 36});
  }
  FillRect(picture, 250, 240, 350, 300, Rgb{40, 40, 44});
  FillDisc(picture, 300, 270, 26, Rgb{255, 240, 160});
  FillPolygon(picture, {{250, 240}, {300, 190}, {350, 240}}, Rgb{40, 40, 44});
  FillPolygon(picture, {{320, 262}, {600, 150}, {600, 330}}, Rgb{255, 245, 190});
  return picture;
}

// A night village in the sixteen VGA colours, so that the 4-bit picture keeps
// every colour it was drawn with.
Bitmap Moon() {
  const Rgb navy{0, 0, 128};
  const Rgb black{0, 0, 0};
  const Rgb maroon{128, 0, 0};
  const Rgb yellow{255, 255, 0};
  const Rgb silver{192, 192, 192};
  Bitmap picture(320, 240);
  picture.Fill(navy);
  std::mt19937 random(7);
  std::uniform_int_distribution<int> x(0, 319);
  std::uniform_int_distribution<int> y(0, 150);
  for (int i = 0; i < 70; ++i) picture.SetPixelColor(x(random), y(random), Rgb{255, 255, 255});
  FillDisc(picture, 220, 68, 30, Rgb{255, 255, 255});
  FillDisc(picture, 236, 58, 27, navy);
  FillBelowCurve(picture, [](double column) { return 190 + 12 * std::sin(column / 40.0); }, black, black);
  for (int house = 0; house < 5; ++house) {
    const int left = 20 + house * 60;
    const int top = 150 + (house % 2) * 14;
    FillRect(picture, left, top, left + 40, 215, maroon);
    FillPolygon(picture, {{left - 4.0, top + 0.0}, {left + 20.0, top - 18.0}, {left + 44.0, top + 0.0}}, black);
    FillRect(picture, left + 8, top + 10, left + 16, top + 18, yellow);
    FillRect(picture, left + 24, top + 10, left + 32, top + 18, yellow);
  }
  FillRect(picture, 0, 222, 320, 230, silver);
  picture.SetPixelFormat(PixelFormat::kBits4);
  return picture;
}

Bitmap Panorama() {
  Bitmap picture(2400, 600);
  FillVerticalGradient(picture, {{0.0, {110, 160, 220}}, {1.0, {220, 232, 245}}});
  FillBelowCurve(picture, [](double x) { return 250 - 120 * std::abs(std::sin(x / 300.0)) + 15 * std::sin(x / 23.0); },
                 Rgb{248, 250, 255}, Rgb{120, 130, 150});
  FillBelowCurve(picture, [](double x) { return 380 + 40 * std::sin(x / 170.0 + 2) + 10 * std::sin(x / 29.0); },
                 Rgb{60, 100, 70}, Rgb{30, 60, 40});
  FillBelowCurve(picture, [](double x) { return 500 + 20 * std::sin(x / 90.0); }, Rgb{90, 130, 60},
                 Rgb{50, 80, 30});
  return picture;
}

// A 48 x 48 icon: a gold star, 32-bit with alpha and the matching AND mask.
std::vector<std::uint8_t> StarIcon() {
  constexpr int kSize = 48;
  Bitmap star(kSize, kSize);
  star.Fill(Rgb{0, 0, 0});
  std::vector<Point> points;
  for (int i = 0; i < 10; ++i) {
    const double angle = -kPi / 2 + i * kPi / 5;
    const double r = i % 2 == 0 ? 22.0 : 9.0;
    points.push_back({24 + r * std::cos(angle), 25 + r * std::sin(angle)});
  }
  FillPolygon(star, points, Rgb{250, 196, 30});

  std::vector<std::uint8_t> out;
  const auto u16 = [&](unsigned v) { out.push_back(v & 0xFF); out.push_back((v >> 8) & 0xFF); };
  const auto u32 = [&](unsigned v) { u16(v & 0xFFFF); u16(v >> 16); };
  const unsigned mask_stride = 8;  // 48 bits padded to 64
  const unsigned image_bytes = 40 + kSize * kSize * 4 + kSize * mask_stride;
  u16(0); u16(1); u16(1);                                   // reserved, type icon, one entry
  out.push_back(kSize); out.push_back(kSize); out.push_back(0); out.push_back(0);
  u16(1); u16(32); u32(image_bytes); u32(6 + 16);           // planes, bits, size, offset
  u32(40); u32(kSize); u32(2 * kSize); u16(1); u16(32);     // info header: height counts the mask
  for (int i = 0; i < 6; ++i) u32(0);
  for (int y = kSize - 1; y >= 0; --y) {
    for (int x = 0; x < kSize; ++x) {
      const Rgb c = star.PixelColor(x, y);
      const bool inside = c.r != 0;
      out.push_back(c.b); out.push_back(c.g); out.push_back(c.r); out.push_back(inside ? 255 : 0);
    }
  }
  for (int y = kSize - 1; y >= 0; --y) {
    for (unsigned byte = 0; byte < mask_stride; ++byte) {
      std::uint8_t bits = 0;
      for (int bit = 0; bit < 8; ++bit) {
        const int x = static_cast<int>(byte) * 8 + bit;
        if (x < kSize && star.PixelColor(x, y).r == 0) bits |= static_cast<std::uint8_t>(0x80 >> bit);
      }
      out.push_back(bits);
    }
  }
  return out;
}

void WritePng(const RgbaCanvas& canvas, const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(canvas.Width());
  image.height = static_cast<png_uint_32>(canvas.Height());
  image.format = PNG_FORMAT_RGBA;
  if (png_image_write_to_file(&image, path.c_str(), 0, canvas.Pixels().data(), 0, nullptr) == 0) {
    throw std::runtime_error("Unable to write " + path + ": " + image.message);
  }
}

void WriteBytes(const std::vector<std::uint8_t>& bytes, const std::string& path) {
  WriteWholeFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace

int Run(const std::string& folder) {
  const std::string base = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  const auto made = [&](const std::string& name) { std::cout << "made " << base << name << "\n"; };
  WriteJpegFile(Sunset(), base + "01-sunset.jpg", 90);
  made("01-sunset.jpg");
  WriteBmpFile(Poster(), base + "02-poster.bmp");
  made("02-poster.bmp");
  WriteBmpFile(StainedGlass(), base + "03-stained-glass.bmp");
  made("03-stained-glass.bmp");
  WritePng(Bubbles(), base + "04-bubbles.png");
  made("04-bubbles.png");
  WriteBytes(StarIcon(), base + "05-star.ico");
  made("05-star.ico");
  WriteJpegFile(Lighthouse(), base + "06-lighthouse.jpg", 85);
  made("06-lighthouse.jpg");
  WriteBmpFile(Moon(), base + "07-moon.bmp");
  made("07-moon.bmp");
  WriteJpegFile(Panorama(), base + "08-panorama.jpg", 88);
  made("08-panorama.jpg");

  // The project keeps absolute paths, as the program writes them.
  const std::string absolute = std::filesystem::absolute(base.empty() ? "." : base).lexically_normal().string();
  const std::string show = absolute.back() == '/' ? absolute : absolute + "/";
  WriteSampleSound(show + "sample-tune.wav");
  made("sample-tune.wav");
  const std::vector<std::string> pictures = {"01-sunset.jpg",  "02-poster.bmp",     "03-stained-glass.bmp",
                                             "04-bubbles.png", "05-star.ico",       "06-lighthouse.jpg",
                                             "07-moon.bmp",    "08-panorama.jpg"};
  WriteSampleProject(show, pictures);
  made("sample.sfg");
  return 0;
}

}  // namespace sf::sample

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "Usage: slideforge_make_sample FOLDER\n";
    return 2;
  }
  try {
    return sf::sample::Run(argv[1]);
  } catch (const std::exception& failure) {
    std::cerr << failure.what() << "\n";
    return 1;
  }
}
