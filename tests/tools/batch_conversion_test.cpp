#include "tools/batch_conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <tuple>

#include "common/file_util.h"
#include "effects/apply_list_of_effects.h"
#include "effects/noise_random.h"
#include "image/bmp_writer.h"
#include "image/jpeg_writer.h"
#include "list/image_list.h"
#include "loader/load_image.h"
#include "support/corpus.h"
#include "support/pictures.h"
#include "support/recording_reporter.h"
#include "tools/conversion_resize.h"

namespace sf {
namespace {

namespace fs = std::filesystem;

class OpenedFolders final : public Desktop {
 public:
  void Open(const std::string& path) override { opened.push_back(path); }
  std::vector<std::string> opened;
};

// A one-entry icon holding the picture as a 24-bit DIB with an empty mask.
std::string IconBytes(const Bitmap& picture) {
  const std::vector<std::uint8_t> bmp = EncodeBmp(picture);
  std::string dib(bmp.begin() + 14, bmp.end());
  const std::uint32_t doubled = static_cast<std::uint32_t>(picture.Height()) * 2;
  for (int k = 0; k < 4; ++k) dib[8 + k] = static_cast<char>(doubled >> (8 * k));
  dib.append(static_cast<std::size_t>(((picture.Width() + 31) / 32) * 4 * picture.Height()), '\0');
  std::string ico = {0, 0, 1, 0, 1, 0};
  ico += {static_cast<char>(picture.Width()), static_cast<char>(picture.Height()), 0, 0, 1, 0, 24, 0};
  for (const std::uint32_t value : {static_cast<std::uint32_t>(dib.size()), 22u}) {
    for (int k = 0; k < 4; ++k) ico += static_cast<char>(value >> (8 * k));
  }
  return ico + dib;
}

// "FORMAT WIDTH HEIGHT DEPTH CLASS" from ImageMagick, or "" when it is not installed.
std::string Identify(const std::string& path) {
  if (!test::HaveProgram("identify")) return "";
  std::string out;
  test::RunCommand("identify -format '%m %w %h %z %r' '" + path + "'", &out);
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

class BatchConversion : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = test::MakeTempDir();
    m_in = m_dir + "/in/";
    fs::create_directories(m_in);
    m_settings.output_folder = m_dir + "/out/";
  }
  void TearDown() override { fs::remove_all(m_dir); }

  std::string AddPicture(const std::string& name, const Bitmap& picture, const std::string& effects = "") {
    const std::string path = m_in + name;
    const std::string lower = ToLowerAscii(name);
    if (lower.ends_with(".jpg")) {
      WriteJpegFile(picture, path, 90);
    } else if (lower.ends_with(".ico")) {
      WriteWholeFile(path, IconBytes(picture));
    } else {
      WriteBmpFile(picture, path);
    }
    AddRow(path, effects);
    return path;
  }
  void AddRow(const std::string& path, const std::string& effects = "") {
    m_list.AddPath(path);
    m_list.SetCell(m_list.LastRow(), kEffectsColumn, effects);
  }
  ConversionResult Convert() { return ConvertImages(m_list, m_settings, {m_reporter, m_progress, m_desktop}); }
  std::string Out(const std::string& name) const { return m_settings.output_folder + name; }
  Bitmap ReadOut(const std::string& name, std::string* kind = nullptr) const { return ReadPicture(Out(name), kind); }
  std::string LastProgress() const { return m_progress.progress_texts.back(); }

  std::string m_dir;
  std::string m_in;
  ImageList m_list;
  ConversionSettings m_settings;
  test::RecordingReporter m_reporter;
  test::RecordingProgress m_progress;
  OpenedFolders m_desktop;
};

TEST_F(BatchConversion, TenBitmapsBecomeJpegsWithProgressEveryThirdRow) {
  for (int k = 0; k < 10; ++k) AddPicture("p" + std::to_string(k) + ".bmp", test::MakeGradient(13 + k, 9));
  m_settings.format_index = 2;
  m_settings.picture.jpeg_quality = 100;
  m_settings.open_folder = true;
  const ConversionResult result = Convert();
  EXPECT_EQ(result.outcome, ConversionResult::Outcome::kFinished);
  EXPECT_EQ(result.written, 10);
  EXPECT_TRUE(m_reporter.entries.empty());
  EXPECT_EQ(LastProgress(), "100% - 10 of 10 processed. 0 skipped.");
  const std::vector<std::string> row_texts = {"10% - 1 of 10 converted.", "40% - 4 of 10 converted.",
                                              "70% - 7 of 10 converted."};
  for (const std::string& text : row_texts) {
    EXPECT_NE(std::find(m_progress.progress_texts.begin(), m_progress.progress_texts.end(), text),
              m_progress.progress_texts.end())
        << text;
  }
  EXPECT_EQ(m_progress.events, 4);  // preparing, then rows 1, 4 and 7
  EXPECT_EQ(m_progress.title, "100% - Slideforge");
  EXPECT_EQ(m_desktop.opened, std::vector<std::string>{m_settings.output_folder});
  for (int k = 0; k < 10; ++k) {
    const std::string name = "p" + std::to_string(k) + ".jpg";
    std::string kind;
    const Bitmap written = ReadOut(name, &kind);
    EXPECT_EQ(kind, "JPEG");
    EXPECT_EQ(written.Width(), 13 + k);
    const std::string identified = Identify(Out(name));
    if (!identified.empty()) {
      EXPECT_EQ(identified, "JPEG " + std::to_string(13 + k) + " 9 8 DirectClass sRGB");
    }
  }
}

TEST_F(BatchConversion, SameAsInputKeepsSupportedTypesAndWritesTheRestAsBitmaps) {
  AddPicture("a.JPG", test::MakeGradient(8, 6));
  AddPicture("b.ico", test::MakeGradient(16, 16));
  const std::string gif = m_in + "c.gif";
  const std::vector<std::uint8_t> gif_bytes = EncodeOutput(test::MakeGradient(5, 4, PixelFormat::kBits8), OutputKind::kGif, 0);
  WriteWholeFile(gif, std::string(gif_bytes.begin(), gif_bytes.end()));
  AddRow(gif);
  Convert();
  EXPECT_EQ(LastProgress(), "100% - 3 of 3 processed. 0 skipped.");
  for (const auto& [name, kind, magick] : std::vector<std::tuple<std::string, std::string, std::string>>{
           {"a.JPG", "JPEG", "JPEG"}, {"b.bmp", "Bitmap", "BMP3"}, {"c.gif", "GIF", "GIF"}}) {
    SCOPED_TRACE(name);
    std::string read_kind;
    EXPECT_FALSE(ReadOut(name, &read_kind).Empty());
    EXPECT_EQ(read_kind, kind);
    const std::string identified = Identify(Out(name));
    if (!identified.empty()) {
      EXPECT_EQ(identified.substr(0, identified.find(' ')), magick);
    }
  }
  EXPECT_FALSE(FileExists(Out("b.ico")));
}

TEST_F(BatchConversion, ExistingFilesArePrefixedSkippedOrStopTheRun) {
  AddPicture("photo.bmp", test::MakeGradient(4, 4));
  AddPicture("other.bmp", test::MakeGradient(5, 5));
  fs::create_directories(m_settings.output_folder);
  WriteWholeFile(Out("photo.bmp"), "x");
  WriteWholeFile(Out("New_photo.bmp"), "x");
  Convert();
  EXPECT_EQ(ReadOut("New_New_photo.bmp").Width(), 4);
  EXPECT_EQ(ReadOut("other.bmp").Width(), 5);

  // Every output present now: Skip writes nothing and says nothing.
  m_settings.if_exists = IfFileExists::kSkip;
  const auto before = fs::last_write_time(Out("other.bmp"));
  const ConversionResult skipped = Convert();
  EXPECT_EQ(skipped.skipped, 2);
  EXPECT_EQ(skipped.written, 0);
  EXPECT_EQ(LastProgress(), "100% - 2 of 2 processed. 2 skipped.");
  EXPECT_EQ(fs::last_write_time(Out("other.bmp")), before);
  EXPECT_TRUE(m_reporter.entries.empty());

  m_settings.if_exists = IfFileExists::kAbort;
  m_settings.open_folder = true;
  m_progress.title.clear();
  const ConversionResult aborted = Convert();
  EXPECT_EQ(aborted.outcome, ConversionResult::Outcome::kAborted);
  EXPECT_EQ(m_reporter.Errors(),
            std::vector<std::string>{"Process aborted to avoid file overwrite of file name:\n\n" + Out("photo.bmp")});
  EXPECT_EQ(LastProgress(), "Preparing conversion process... - Aborted");
  EXPECT_EQ(m_progress.title, "");
  EXPECT_TRUE(m_desktop.opened.empty());
}

TEST_F(BatchConversion, PerFileFailuresAreCountedAndOnlyTheirMessagesSuppressed) {
  const std::string no_extension = m_in + "noext";
  WriteBmpFile(test::MakeGradient(3, 3), no_extension);
  AddRow(no_extension);
  const std::string broken = m_in + "broken.bmp";
  WriteWholeFile(broken, "BM not really");
  AddRow(broken);
  const std::string bad_effect = AddPicture("fx.bmp", test::MakeGradient(3, 3), "1<Nope=1>");
  AddPicture("good.bmp", test::MakeGradient(3, 3));
  m_settings.format_index = 1;

  Convert();
  EXPECT_EQ(LastProgress(), "100% - 4 of 4 processed. 3 skipped.");
  EXPECT_TRUE(FileExists(Out("good.bmp")));
  EXPECT_FALSE(FileExists(Out("fx.bmp")));
  const std::vector<std::string> errors = m_reporter.Errors();
  ASSERT_EQ(errors.size(), 5u);
  EXPECT_EQ(errors[0], "Error: No file extension was found in input file name:\n\n" + no_extension +
                           "\n\nThis file will be skipped.\n\n- GetFileExtension() in ConvertBtnClick()");
  EXPECT_EQ(errors[2], "Error loading image file '" + ToLowerAscii(broken) + "'\n\nLoadImage()");
  EXPECT_EQ(errors[3], "Error applying effect \"Nope\". Effect not found.\n - ApplyListOfEffects()");
  EXPECT_EQ(errors[4], "There was an error applying effects to file: \n\n" + bad_effect +
                           "\n\nThis file will be skipped.\n\n- ApplyListOfEffects() in ConvertBtnClick()");

  // With skip-errors only the loader's and the effects' own messages remain.
  m_reporter.entries.clear();
  m_settings.skip_errors = true;
  m_settings.if_exists = IfFileExists::kOverwrite;
  Convert();
  EXPECT_EQ(m_reporter.Errors(),
            (std::vector<std::string>{errors[1], errors[2], errors[3]}));
  EXPECT_EQ(LastProgress(), "100% - 4 of 4 processed. 3 skipped.");
}

TEST_F(BatchConversion, SmoothOutputEqualsTheCoreRoutinesInEitherOrder) {
  const Bitmap source = test::MakeGradient(100, 50, PixelFormat::kBits8);
  AddPicture("wide.bmp", source, "1<Mosaic=10>");
  m_settings.format_index = 1;
  m_settings.picture.resize = true;
  m_settings.picture.width = 64;
  m_settings.picture.height = 48;
  m_settings.picture.aspect = kAspectMaintain;
  m_settings.picture.method = ResizeMethod::kSmooth;
  m_settings.picture.depth_index = kDepth24Bits;
  m_settings.if_exists = IfFileExists::kOverwrite;
  test::RecordingReporter quiet;
  for (const bool effects_first : {false, true}) {
    SCOPED_TRACE(effects_first ? "effects before the resize" : "effects after the resize");
    m_settings.picture.effects_before_resize = effects_first;
    Convert();
    Bitmap expected = ReadPicture(m_in + "wide.bmp", nullptr);
    if (effects_first) ApplyListOfEffects(expected, "1<Mosaic=10>", quiet);
    ASSERT_TRUE(ResizeForConversion(expected, 64, 48, kAspectMaintain, ResizeMethod::kSmooth));
    if (!effects_first) ApplyListOfEffects(expected, "1<Mosaic=10>", quiet);
    expected = OutputBitmap(expected, kDepth24Bits);
    const Bitmap written = ReadOut("wide.bmp");
    EXPECT_EQ(written.Format(), PixelFormat::kBits24);
    EXPECT_EQ(test::FirstDifference(written, expected), "");
    const std::string identified = Identify(Out("wide.bmp"));
    if (!identified.empty()) {
      EXPECT_EQ(identified, "BMP3 64 32 8 DirectClass sRGB");
    }
  }
  EXPECT_TRUE(quiet.entries.empty());
}

TEST_F(BatchConversion, WritesTheChosenDepth) {
  AddPicture("pic.bmp", test::MakeGradient(9, 7));
  m_settings.if_exists = IfFileExists::kOverwrite;
  for (const auto& [depth, format] : std::vector<std::pair<int, PixelFormat>>{
           {kDepth4Bits, PixelFormat::kBits4}, {kDepth8Bits, PixelFormat::kBits8},
           {kDepth24Bits, PixelFormat::kBits24}, {kDepthSameAsInput, PixelFormat::kBits24}}) {
    SCOPED_TRACE(depth);
    m_settings.picture.depth_index = depth;
    Convert();
    const Bitmap written = ReadOut("pic.bmp");
    EXPECT_EQ(written.Format(), format);
    if (format == PixelFormat::kBits4) {
      EXPECT_EQ(written.Palette(), DefaultPalette(PixelFormat::kBits4));
    }
    const std::string identified = Identify(Out("pic.bmp"));
    if (!identified.empty()) {
      const std::string expected = format == PixelFormat::kBits24  ? "BMP3 9 7 8 DirectClass sRGB"
                                   : format == PixelFormat::kBits8 ? "BMP3 9 7 8 PseudoClass sRGB"
                                                                   : "BMP3 9 7 4 PseudoClass sRGB";
      EXPECT_EQ(identified, expected);
    }
  }
  EXPECT_TRUE(m_reporter.entries.empty());
}

TEST_F(BatchConversion, FailingJpegSavesAreRetriedAtLowerQualities) {
  AddPicture("pic.bmp", test::MakeGradient(4, 4));
  m_settings.format_index = 2;
  m_settings.if_exists = IfFileExists::kOverwrite;
  fs::create_directories(Out("pic.jpg"));  // a folder where the file should go
  for (const auto& [quality, tries] : std::vector<std::pair<int, int>>{{100, 20}, {5, 3}}) {
    SCOPED_TRACE(quality);
    m_progress.progress_texts.clear();
    m_reporter.entries.clear();
    m_settings.picture.jpeg_quality = quality;
    Convert();
    EXPECT_EQ(std::count(m_progress.progress_texts.begin(), m_progress.progress_texts.end(),
                         "Error saving current JPEG. Trying again at lower quality..."),
              tries);
    EXPECT_EQ(m_reporter.Errors(), std::vector<std::string>{"Error saving JPEG. File NOT saved. File name:\n" +
                                                            Out("pic.jpg") +
                                                            "\n\nError reason unknown.\n - ConvertBtnClick()"});
    EXPECT_EQ(LastProgress(), "100% - 1 of 1 processed. 1 skipped.");
  }
}

TEST_F(BatchConversion, StopIsNoticedAtTheNextProgressRow) {
  for (int k = 0; k < 10; ++k) AddPicture("p" + std::to_string(k) + ".bmp", test::MakeGradient(5, 5));
  for (const int threads : {1, 2}) {
    SCOPED_TRACE(threads);
    fs::remove_all(m_settings.output_folder);
    m_settings.threads = threads;
    m_progress = {};
    m_progress.stop_after_events = 4;  // the request comes while row 5 or 6 is written
    const ConversionResult result = Convert();
    EXPECT_EQ(result.outcome, ConversionResult::Outcome::kStopped);
    EXPECT_EQ(LastProgress(), "70% - 7 of 10 converted. Stopped.");
    EXPECT_EQ(m_progress.title, "70% - Slideforge");
    EXPECT_TRUE(FileExists(Out("p6.bmp")));
    EXPECT_FALSE(FileExists(Out("p7.bmp")));
  }
}

TEST_F(BatchConversion, StoppingConditionsBeforeTheFirstRow) {
  AddRow(m_in + "missing.bmp");
  m_settings.open_folder = true;
  EXPECT_EQ(Convert().outcome, ConversionResult::Outcome::kEmptyList);
  EXPECT_EQ(m_reporter.Texts(), (std::vector<std::string>{
                                    "1 image(s) deleted from list.\n\nFile list verification complete.",
                                    "Image Conversion Aborted:\n\nImage list is now empty after validating files.\n"
                                    "Image files were not found.\n\n- ConvertBtnClick()"}));
  EXPECT_EQ(LastProgress(), "Conversion process stopped.");

  m_reporter.entries.clear();
  AddPicture("pic.bmp", test::MakeGradient(4, 4));
  WriteWholeFile(m_dir + "/file", "x");
  m_settings.output_folder = m_dir + "/file/out/";
  EXPECT_EQ(Convert().outcome, ConversionResult::Outcome::kNoFolder);
  EXPECT_EQ(LastProgress(), "Unable to create directory path. Conversion stopped.");
  ASSERT_EQ(m_reporter.Errors().size(), 1u);
  EXPECT_TRUE(m_desktop.opened.empty());
  EXPECT_EQ(m_progress.title, "");

  // An empty folder text is an unexpected failure: the finishing steps still run.
  m_reporter.entries.clear();
  m_settings.output_folder = "";
  EXPECT_EQ(Convert().outcome, ConversionResult::Outcome::kFailed);
  EXPECT_EQ(m_reporter.Errors(),
            (std::vector<std::string>{"Unable to create directory",
                                      "Error converting image file(s). Please make sure that the image files are "
                                      "valid and that the disks being accessed have full read/write access "
                                      "permissions. \n- ConvertBtnClick()"}));
  EXPECT_EQ(LastProgress(), "Preparing conversion process... - ERROR");
  EXPECT_EQ(m_progress.title, "100% - Slideforge");
  EXPECT_EQ(m_desktop.opened, std::vector<std::string>{""});
}

// Every file's bytes, by name.
std::map<std::string, std::string> FolderContents(const std::string& folder) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(entry.path().string());
    contents[entry.path().filename().string()] = std::string(bytes.begin(), bytes.end());
  }
  return contents;
}

TEST_F(BatchConversion, SideBySideRunWritesWhatAOneAtATimeRunWrites) {
  const std::vector<std::string> effects = {"1<Noise Color=40>", "", "2<Brighter=20><Noise Mono=30>",
                                            "1<Noise Color=90>", "1<Blur Gaussian=2>", "1<Noise Mono=60>",
                                            "", "1<Noise Color=25>", "1<Invert Colors=0>"};
  for (std::size_t k = 0; k < effects.size(); ++k) {
    const std::string name = "p" + std::to_string(k) + ".bmp";
    WriteBmpFile(test::MakeGradient(40 + static_cast<int>(k), 30), m_in + name);
  }
  WriteWholeFile(m_in + "broken.bmp", "BM");
  m_settings.format_index = 1;
  m_settings.picture.resize = true;
  m_settings.picture.width = 32;
  m_settings.picture.height = 32;
  m_settings.picture.aspect = kAspectMaintain;

  // Row 2 reads the file row 0 writes; p0 and p3 are in the output folder
  // before the run, so with Skip two noise rows are passed over and must not
  // advance the generator.
  const auto run = [&](IfFileExists choice, int threads, const std::string& folder) {
    fs::create_directories(folder);
    WriteBmpFile(test::MakeGradient(7, 7), folder + "p0.bmp");
    WriteWholeFile(folder + "p3.bmp", "x");
    m_list = ImageList();
    AddRow(m_in + "p0.bmp", effects[0]);
    AddRow(m_in + "p1.bmp", effects[1]);
    AddRow(folder + "p0.bmp", "1<Noise Mono=50>");
    for (std::size_t k = 2; k < effects.size(); ++k) AddRow(m_in + "p" + std::to_string(k) + ".bmp", effects[k]);
    AddRow(m_in + "broken.bmp", "1<Noise Color=10>");
    m_settings.output_folder = folder;
    m_settings.if_exists = choice;
    m_settings.threads = threads;
    SetNoiseRandomState(12345);
    m_reporter.entries.clear();
    const ConversionResult result = Convert();
    return std::make_tuple(result.written, result.skipped, NoiseRandomState(), m_reporter.Texts(),
                           FolderContents(folder));
  };
  for (const IfFileExists choice : {IfFileExists::kSkip, IfFileExists::kOverwrite}) {
    SCOPED_TRACE(static_cast<int>(choice));
    const std::string tag = std::to_string(static_cast<int>(choice));
    const auto one = run(choice, 1, m_dir + "/one" + tag + "/");
    EXPECT_EQ(std::get<0>(one), choice == IfFileExists::kSkip ? 7 : 10);
    EXPECT_NE(std::get<2>(one), 12345u);
    EXPECT_EQ(std::get<4>(one).size(), 9u);
    EXPECT_EQ(std::get<3>(one).size(), 2u);  // the loader's two messages for broken.bmp
    EXPECT_TRUE(one == run(choice, 2, m_dir + "/two" + tag + "/"));
    EXPECT_TRUE(one == run(choice, 4, m_dir + "/four" + tag + "/"));
  }
}

}  // namespace
}  // namespace sf
