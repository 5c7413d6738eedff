// slideforge bitrate [options]: the video bit rate that fills the discs, with
// the maximum table, the overhead and the sizes, as name: value lines. The
// media type loads its preset; the other options override it.
#include <iostream>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/stderr_reporter.h"
#include "common/number_format.h"
#include "tools/bitrate_calculator.h"

namespace sf::cli {

namespace {

constexpr char kBitrateHelp[] =
    "Usage: slideforge bitrate [options]\n"
    "\n"
    "Works out the video bit rate that fills the discs once the audio, the space\n"
    "kept free and the authoring overhead are taken off, and prints one\n"
    "'name: value' line per result:\n"
    "  dvd max: N            maximum video rates in kilobits per second; only the\n"
    "  cdvd max: N           chosen type's row is worked out from the audio rate,\n"
    "  svcd max: N           the others show their starting values (DivX has none)\n"
    "  overhead: N           authoring overhead of all discs, MB\n"
    "  audio size kb: N      all audio tracks\n"
    "  audio size mb: N\n"
    "  bitrate kbps: N       video rate in kilobits per second (see --kilobit)\n"
    "  bitrate bps: N        video rate in bits per second\n"
    "  video size kb: N\n"
    "  video size mb: N\n"
    "  total iso size mb: N  space kept free on all discs\n"
    "A calculation that fails (a playing time of 0) prints its messages on stderr\n"
    "and exits with status 1.\n"
    "\n"
    "Options:\n"
    "  --type DVD|cDVD|SVCD|DivX   media type and its preset (default DVD)\n"
    "  --minutes M                 playing time in minutes\n"
    "  --audio KBPS                audio rate of one track, 1024 bits a kilobit\n"
    "  --tracks N                  number of audio tracks, 0 to 999\n"
    "  --size S                    capacity of one disc, in --unit\n"
    "  --unit GB|MB|KB|Bytes       unit of --size (1 GB = 1024 MB)\n"
    "  --discs N                   number of discs, 1 to 999\n"
    "  --kilobit 1000|1024         bits in a kilobit for the maximum table and\n"
    "                              the kilobit result\n"
    "  --free MB                   megabytes kept free on every disc\n"
    "  --ignore-max                do not cap the rate at the table's maximum\n"
    "  --help                      show this text\n"
    "\n"
    "Presets (minutes, audio, tracks, size, unit, discs, kilobit, free):\n"
    "  DVD   90  224  1  4.375  GB  1  1000  25\n"
    "  cDVD  60  192  1  700    MB  1  1000   5\n"
    "  SVCD  90  192  1  797    MB  2  1000   5\n"
    "  DivX  90  192  1  700    MB  1  1000   5\n";

double ParseNumberOption(const ParsedArgs& args, const std::string& option, double fallback) {
  const auto text = args.Value(option);
  if (!text) return fallback;
  const auto value = ParseDouble(*text);
  if (!value) throw UsageError(option + " must be a number, not \"" + *text + "\"");
  return *value;
}

int ParseCountOption(const ParsedArgs& args, const std::string& option, int fallback, int low) {
  const auto text = args.Value(option);
  return text ? static_cast<int>(ParseIntOption(*text, option, low, 999)) : fallback;
}

BitrateInputs ReadInputs(const ParsedArgs& args) {
  MediaType type = MediaType::kDvd;
  if (const auto name = args.Value("--type")) {
    const auto parsed = ParseMediaType(*name);
    if (!parsed) throw UsageError("--type must be DVD, cDVD, SVCD or DivX, not \"" + *name + "\"");
    type = *parsed;
  }
  BitrateInputs in = BitratePreset(type);
  in.minutes = ParseNumberOption(args, "--minutes", in.minutes);
  in.audio_kbps = ParseNumberOption(args, "--audio", in.audio_kbps);
  in.tracks = ParseCountOption(args, "--tracks", in.tracks, 0);
  in.disc_size = ParseNumberOption(args, "--size", in.disc_size);
  if (const auto name = args.Value("--unit")) {
    const auto unit = ParseSizeUnit(*name);
    if (!unit) throw UsageError("--unit must be GB, MB, KB or Bytes, not \"" + *name + "\"");
    in.unit = *unit;
  }
  in.discs = ParseCountOption(args, "--discs", in.discs, 1);
  if (const auto text = args.Value("--kilobit")) {
    if (*text != "1000" && *text != "1024") throw UsageError("--kilobit must be 1000 or 1024, not \"" + *text + "\"");
    in.bits_per_kilobit = *text == "1000" ? 1000 : 1024;
  }
  in.free_mb = ParseNumberOption(args, "--free", in.free_mb);
  in.ignore_max = args.Has("--ignore-max");
  return in;
}

void PrintResult(const BitrateResult& result) {
  const MaxBitrateTable& table = result.shown.table;
  std::cout << "dvd max: " << table.dvd << '\n'
            << "cdvd max: " << table.cdvd << '\n'
            << "svcd max: " << table.svcd << '\n'
            << "overhead: " << result.shown.overhead_mb << '\n'
            << "audio size kb: " << result.audio_size->kilobytes << '\n'
            << "audio size mb: " << result.audio_size->megabytes << '\n'
            << "bitrate kbps: " << *result.kilobits_per_second << '\n'
            << "bitrate bps: " << *result.bits_per_second << '\n'
            << "video size kb: " << result.video_size->kilobytes << '\n'
            << "video size mb: " << result.video_size->megabytes << '\n'
            << "total iso size mb: " << *result.total_iso_mb << '\n';
}

}  // namespace

int RunBitrateCommand(std::span<const std::string> args) {
  const ParsedArgs parsed = ParseArgs(args, {{"--type", true},
                                             {"--minutes", true},
                                             {"--audio", true},
                                             {"--tracks", true},
                                             {"--size", true},
                                             {"--unit", true},
                                             {"--discs", true},
                                             {"--kilobit", true},
                                             {"--free", true},
                                             {"--ignore-max", false}});
  if (parsed.help) {
    std::cout << kBitrateHelp;
    return 0;
  }
  if (!parsed.positional.empty()) throw UsageError("unexpected argument \"" + parsed.positional[0] + "\"");
  const BitrateInputs in = ReadInputs(parsed);
  StderrReporter reporter;
  const BitrateResult result = CalculateBitrate(in, BitrateShown{}, reporter);
  if (!result.completed) return 1;
  PrintResult(result);
  return reporter.ErrorCount() > 0 ? 1 : 0;
}

}  // namespace sf::cli
