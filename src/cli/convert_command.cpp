// slideforge convert PICTURE... --out DIR ...: the batch converter's run without
// its window. Every picture is written into DIR under its own base name with
// the extension of the chosen format; per-file problems go to stderr.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <thread>
#include <tuple>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/stderr_reporter.h"
#include "cli/terminal_progress.h"
#include "list/image_list.h"
#include "tools/batch_conversion.h"
#include "tools/conversion_resize.h"

namespace sf::cli {

namespace {

constexpr char kConvertHelp[] =
    "Usage: slideforge convert PICTURE... --out DIR [options]\n"
    "\n"
    "Loads every PICTURE, applies the effect list before or after an optional\n"
    "resize, brings it to the chosen depth and writes it into DIR as DIR, the\n"
    "picture's base name and the extension of the format. Pictures are converted\n"
    "side by side on every core; the files are those of a one-at-a-time run.\n"
    "Prints the final progress line. Exits with 1 when the run stopped or nothing\n"
    "could be converted.\n"
    "\n"
    "Options:\n"
    "  --out DIR               the output folder, made when missing (required)\n"
    "  --format same|bmp|jpg|gif\n"
    "                          output type; same keeps .bmp, .jpg, .jpeg and .gif\n"
    "                          inputs and writes the rest as .bmp (default same)\n"
    "  --size WxH|same         resize to WxH (default same: no resize)\n"
    "  --aspect 0-3            0 stretch, 1 keep the aspect within WxH, 2 fit to the\n"
    "                          width, 3 fit to the height (default 0)\n"
    "  --smooth                bilinear resizing (default: standard)\n"
    "  --effects \"LIST\"        effect list for every picture, e.g. \"1<Brighter=50>\"\n"
    "  --effects-first         apply the effects before the resize (default: after)\n"
    "  --depth 4|8|24|same     bits per pixel: 4 the 16 VGA colours, 8 the halftone\n"
    "                          palette (default same; jpg is always 24, gif 8)\n"
    "  --quality Q             JPEG quality in percent, 1-100 (default 100)\n"
    "  --if-exists prefix|postfix|overwrite|skip|abort\n"
    "                          when the output file exists (default prefix)\n"
    "  --name TEXT             the prefix or postfix (default New_, or _New for postfix)\n"
    "  --no-auto-orient        keep JPEG photos as stored (default: turned upright by\n"
    "                          their EXIF orientation)\n"
    "  --help                  show this text\n";

int ParseChoice(const std::string& text, const std::string& option, std::initializer_list<const char*> words) {
  int index = 0;
  std::string listed;
  for (const char* word : words) {
    if (text == word) return index;
    listed += (index++ > 0 ? "|" : "") + std::string(word);
  }
  throw UsageError(option + " must be " + listed + ", not \"" + text + "\"");
}

PictureRecipe ReadRecipe(const ParsedArgs& parsed, int format_index) {
  PictureRecipe recipe;
  const std::string size = parsed.Value("--size").value_or("same");
  recipe.resize = size != "same";
  if (recipe.resize) {
    std::tie(recipe.width, recipe.height) = ParseSize(size, "--size");
  }
  recipe.aspect = static_cast<int>(ParseIntOption(parsed.Value("--aspect").value_or("0"), "--aspect", 0, 3));
  recipe.method = parsed.Has("--smooth") ? ResizeMethod::kSmooth : ResizeMethod::kStandard;
  recipe.effects_before_resize = parsed.Has("--effects-first");
  recipe.upright = !parsed.Has("--no-auto-orient");
  recipe.jpeg_quality = static_cast<int>(ParseIntOption(parsed.Value("--quality").value_or("100"), "--quality", 1, 100));

  // The window fixes the depth of the two formats that allow only one.
  const int fixed = format_index == 2 ? kDepth24Bits : format_index == 3 ? kDepth8Bits : -1;
  const auto depth = parsed.Value("--depth");
  recipe.depth_index = depth ? ParseChoice(*depth, "--depth", {"4", "8", "24", "same"}) : kDepthSameAsInput;
  if (fixed >= 0) {
    if (depth && recipe.depth_index != fixed) {
      throw UsageError(std::string("--format ") + (format_index == 2 ? "jpg is always 24" : "gif is always 8") +
                       " bits per pixel");
    }
    recipe.depth_index = fixed;
  }
  return recipe;
}

ConversionSettings ReadSettings(const ParsedArgs& parsed) {
  ConversionSettings settings;
  const auto out = parsed.Value("--out");
  if (!out || out->empty()) throw UsageError("--out DIR is required");
  settings.output_folder = std::filesystem::absolute(*out).string();
  if (settings.output_folder.back() != '/') settings.output_folder += '/';
  settings.format_index = ParseChoice(parsed.Value("--format").value_or("same"), "--format",
                                      {"same", "bmp", "jpg", "gif"});
  settings.if_exists = static_cast<IfFileExists>(ParseChoice(parsed.Value("--if-exists").value_or("prefix"),
                                                             "--if-exists",
                                                             {"prefix", "postfix", "overwrite", "skip", "abort"}));
  settings.name_text =
      parsed.Value("--name").value_or(settings.if_exists == IfFileExists::kAddPostfix ? "_New" : "New_");
  settings.picture = ReadRecipe(parsed, settings.format_index);
  settings.threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  return settings;
}

// Keeps the last progress text for the closing line.
class ConvertProgress final : public ProgressObserver {
 public:
  void Progress(const std::string& text, int percent) override {
    last = text;
    m_bar.Progress(text, percent);
  }
  void ProgressText(const std::string& text) override {
    last = text;
    m_bar.ProgressText(text);
  }
  void EndLine() { m_bar.EndLine(); }
  std::string last;

 private:
  TerminalProgress m_bar;
};

}  // namespace

int RunConvertCommand(std::span<const std::string> args) {
  const ParsedArgs parsed = ParseArgs(args, {{"--out", true},
                                             {"--format", true},
                                             {"--size", true},
                                             {"--aspect", true},
                                             {"--smooth", false},
                                             {"--no-auto-orient", false},
                                             {"--effects", true},
                                             {"--effects-first", false},
                                             {"--depth", true},
                                             {"--quality", true},
                                             {"--if-exists", true},
                                             {"--name", true}});
  if (parsed.help) {
    std::cout << kConvertHelp;
    return 0;
  }
  if (parsed.positional.empty()) throw UsageError("expected at least one PICTURE");
  const ConversionSettings settings = ReadSettings(parsed);

  ImageList list;
  const std::string effects = parsed.Value("--effects").value_or("");
  for (const std::string& picture : parsed.positional) {
    // The base name is taken after the last "/", so every path needs a folder.
    list.AddPath(std::filesystem::absolute(picture).string());
    list.SetCell(list.LastRow(), kEffectsColumn, effects);
  }
  StderrReporter reporter;
  ConvertProgress progress;
  NoDesktop desktop;
  const ConversionResult result = ConvertImages(list, settings, {reporter, progress, desktop});
  progress.EndLine();
  if (result.outcome == ConversionResult::Outcome::kFinished) std::cout << progress.last << "\n";
  return result.outcome == ConversionResult::Outcome::kFinished && result.written > 0 ? 0 : 1;
}

}  // namespace sf::cli
