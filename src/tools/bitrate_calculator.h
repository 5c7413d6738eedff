// The arithmetic of the video bitrate calculator: the video bit rate that fills
// the discs after the audio, the space kept free and the authoring overhead,
// with the table of maximum rates and the presets of the four media types.
//   BitrateInputs in = BitratePreset(MediaType::kDvd);
//   const BitrateResult result = CalculateBitrate(in, BitrateShown{}, reporter);
//   if (result.completed) use(*result.bits_per_second);
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "common/reporter.h"

namespace sf {

// In the order the media type list shows them.
enum class MediaType { kDvd, kCdvd, kSvcd, kDivx };
// In the order the disc size unit list shows them.
enum class SizeUnit { kGigabytes, kMegabytes, kKilobytes, kBytes };

// "DVD", "cDVD", "SVCD", "DivX" / "GB", "MB", "KB", "Bytes".
const char* MediaTypeName(MediaType type);
const char* SizeUnitName(SizeUnit unit);
std::optional<MediaType> ParseMediaType(const std::string& name);
std::optional<SizeUnit> ParseSizeUnit(const std::string& name);

// A division by zero, an invalid operation or an overflow in the arithmetic,
// or a field that is not a number; the text is the one shown before the
// calculator's own message.
class CalculationError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr char kBitrateFailed[] = "Unable to calculate bitrate.";

// A field's text as a number ("." as the separator); throws CalculationError
// naming the text when it is not one.
double ReadBitrateNumber(const std::string& text);

struct BitrateInputs {
  MediaType type = MediaType::kDvd;
  double minutes = 90;        // playing time
  double audio_kbps = 224;    // per track, 1024 bits to the kilobit
  int tracks = 1;
  double disc_size = 4.375;   // one disc, in the unit below
  SizeUnit unit = SizeUnit::kGigabytes;
  int discs = 1;
  int bits_per_kilobit = 1000;  // 1000 or 1024: the table and the kilobit result
  double free_mb = 25;          // kept free on every disc
  bool ignore_max = false;
};

// The maximum video rates in kilobits per second; DivX has none.
struct MaxBitrateTable {
  std::int64_t dvd = 9570;
  std::int64_t cdvd = 9570;
  std::int64_t svcd = 2556;

  friend bool operator==(const MaxBitrateTable&, const MaxBitrateTable&) = default;
};

// What stays on show between calculations and feeds the next one: the table
// (only the selected type's row is recomputed) and the overhead, which a
// failed overhead step leaves at its last value.
struct BitrateShown {
  MaxBitrateTable table;
  std::int64_t overhead_mb = 92;
};

struct SizeReading {
  std::int64_t kilobytes = 0;
  std::int64_t megabytes = 0;

  friend bool operator==(const SizeReading&, const SizeReading&) = default;
};

// Each output is present once its step has run; a failed step leaves the rest
// absent, and the caller keeps showing their previous values.
struct BitrateResult {
  BitrateShown shown;
  std::optional<SizeReading> audio_size;
  std::optional<std::int64_t> kilobits_per_second;
  std::optional<std::int64_t> bits_per_second;
  std::optional<SizeReading> video_size;
  std::optional<std::int64_t> total_iso_mb;
  bool completed = false;  // the calculation ran to its end
};

// The inputs a media type starts from.
BitrateInputs BitratePreset(MediaType type);

// The table with the selected type's row recomputed for the audio rate;
// throws CalculationError.
MaxBitrateTable UpdateMaxBitrates(MaxBitrateTable table, MediaType type, double audio_kbps, int bits_per_kilobit);
// The authoring overhead of all discs in whole megabytes; throws CalculationError.
std::int64_t MpegOverheadMegabytes(MediaType type, double disc_size, SizeUnit unit, int discs);

// Runs the whole calculation. A failure of the table or the overhead is
// reported (its own text, then the calculator's message) and the calculation
// goes on with the values still shown; any other failure is reported and ends it.
BitrateResult CalculateBitrate(const BitrateInputs& in, const BitrateShown& shown, Reporter& reporter);

}  // namespace sf
