#include "tools/bitrate_calculator.h"

#include <cmath>

#include "common/number_format.h"

namespace sf {

namespace {

constexpr char kDivisionByZero[] = "Floating point division by zero";
constexpr char kInvalidOperation[] = "Invalid floating point operation";
constexpr char kOverflow[] = "Floating point overflow";
constexpr char kIntegerOverflow[] = "Integer overflow";

constexpr char kMaxBitratesFailed[] = "Unable to calculate max bitrates.";
constexpr char kOverheadFailed[] = "Unable to calculate mpeg/author overhead.";
constexpr char kVideoSizeFailed[] = "Unable to get video size.";

// The share of a disc left after authoring: one over the double nearest 1.021
// (1.02), divided in extended precision. Whole megabytes of overhead on a large
// disc depend on these last digits.
constexpr long double kDvdPayload = 1.0L / 1.021;  // 0.979431929480901166...
constexpr long double kSvcdPayload = 1.0L / 1.02;  // 0.980392156862745081...

constexpr std::int64_t kDvdStreamLimit = 9800000;   // bits per second, video and audio
constexpr std::int64_t kSvcdStreamLimit = 2788000;

// A value that left the finite numbers is an error, as the arithmetic would
// have raised it.
template <typename T>
T Checked(T value) {
  if (std::isnan(value)) throw CalculationError(kInvalidOperation);
  if (std::isinf(value)) throw CalculationError(kOverflow);
  return value;
}

double Divide(double dividend, double divisor) {
  if (divisor == 0) throw CalculationError(dividend == 0 ? kInvalidOperation : kDivisionByZero);
  return Checked(dividend / divisor);
}

// Toward zero; a value outside the 64-bit integers is an invalid operation.
std::int64_t Trunc(long double value) {
  Checked(value);
  const long double limit = std::ldexp(1.0L, 63);
  if (value >= limit || value < -limit) throw CalculationError(kInvalidOperation);
  return static_cast<std::int64_t>(value);
}

double BytesPerUnit(SizeUnit unit) {
  switch (unit) {
    case SizeUnit::kGigabytes: return 1024.0 * 1024.0 * 1024.0;
    case SizeUnit::kMegabytes: return 1024.0 * 1024.0;
    case SizeUnit::kKilobytes: return 1024.0;
    case SizeUnit::kBytes: return 1.0;
  }
  return 1.0;
}

double TotalCapacity(double disc_size, SizeUnit unit, int discs) {
  return Checked(discs * Checked(disc_size * BytesPerUnit(unit)));
}

long double PayloadFactor(MediaType type) {
  switch (type) {
    case MediaType::kDvd:
    case MediaType::kCdvd: return kDvdPayload;
    case MediaType::kSvcd: return kSvcdPayload;
    case MediaType::kDivx: return 1.0L;
  }
  return 1.0L;
}

// The selected type's maximum in bits per second; DivX has none.
std::optional<double> MaximumBitsPerSecond(const MaxBitrateTable& table, MediaType type, int bits_per_kilobit) {
  switch (type) {
    case MediaType::kDvd: return static_cast<double>(table.dvd) * bits_per_kilobit;
    case MediaType::kCdvd: return static_cast<double>(table.cdvd) * bits_per_kilobit;
    case MediaType::kSvcd: return static_cast<double>(table.svcd) * bits_per_kilobit;
    case MediaType::kDivx: return std::nullopt;
  }
  return std::nullopt;
}

SizeReading ReadingOf(double bytes) { return {Trunc(bytes / 1024), Trunc(bytes / 1024 / 1024)}; }

// A video size that cannot be formed counts as -1 bytes and reads as 0.
SizeReading VideoSize(double bits_per_second, double minutes, Reporter& reporter) {
  try {
    return ReadingOf(Checked(bits_per_second * 0.125 * minutes * 60));
  } catch (const CalculationError&) {
    reporter.Error(kVideoSizeFailed);
    return ReadingOf(-1);
  }
}

// The steps after the table and the overhead; each output is set as soon as
// it is known, so that a later failure leaves it in place.
void CalculateRates(const BitrateInputs& in, BitrateResult& result, Reporter& reporter) {
  const int k = in.bits_per_kilobit;
  const double seconds = Checked(in.minutes * 60);
  const std::optional<double> maximum = MaximumBitsPerSecond(result.shown.table, in.type, k);

  // Audio rates always count 1024 bits to the kilobit, whatever the table uses.
  const double audio_bytes_per_second = Checked(in.audio_kbps * 1024 * 0.125);
  const double audio_bytes = Checked(audio_bytes_per_second * seconds * in.tracks);
  result.audio_size = ReadingOf(audio_bytes);

  const double capacity = TotalCapacity(in.disc_size, in.unit, in.discs);
  const double free_bytes = Checked(in.discs * in.free_mb * 1024 * 1024);
  const double overhead_bytes = static_cast<double>(result.shown.overhead_mb) * 1048576.0;
  double bits_per_second = Checked(Divide(Checked(capacity - audio_bytes - free_bytes - overhead_bytes), seconds) * 8);
  if (maximum && *maximum < bits_per_second && !in.ignore_max) bits_per_second = *maximum;
  result.kilobits_per_second = Trunc(Divide(bits_per_second, k));
  result.bits_per_second = Trunc(bits_per_second);

  result.video_size = VideoSize(bits_per_second, in.minutes, reporter);
  result.total_iso_mb = Trunc(Checked(in.discs * in.free_mb));
}

}  // namespace

double ReadBitrateNumber(const std::string& text) {
  const std::optional<double> value = ParseDouble(text);
  if (!value) throw CalculationError("'" + text + "' is not a valid number.");
  return *value;
}

const char* MediaTypeName(MediaType type) {
  switch (type) {
    case MediaType::kDvd: return "DVD";
    case MediaType::kCdvd: return "cDVD";
    case MediaType::kSvcd: return "SVCD";
    case MediaType::kDivx: return "DivX";
  }
  return "";
}

const char* SizeUnitName(SizeUnit unit) {
  switch (unit) {
    case SizeUnit::kGigabytes: return "GB";
    case SizeUnit::kMegabytes: return "MB";
    case SizeUnit::kKilobytes: return "KB";
    case SizeUnit::kBytes: return "Bytes";
  }
  return "";
}

std::optional<MediaType> ParseMediaType(const std::string& name) {
  for (const MediaType type : {MediaType::kDvd, MediaType::kCdvd, MediaType::kSvcd, MediaType::kDivx}) {
    if (name == MediaTypeName(type)) return type;
  }
  return std::nullopt;
}

std::optional<SizeUnit> ParseSizeUnit(const std::string& name) {
  for (const SizeUnit unit : {SizeUnit::kGigabytes, SizeUnit::kMegabytes, SizeUnit::kKilobytes, SizeUnit::kBytes}) {
    if (name == SizeUnitName(unit)) return unit;
  }
  return std::nullopt;
}

BitrateInputs BitratePreset(MediaType type) {
  BitrateInputs in;
  in.type = type;
  switch (type) {
    case MediaType::kDvd:
      break;
    case MediaType::kCdvd:
      in.minutes = 60;
      in.audio_kbps = 192;
      in.disc_size = 700;
      in.unit = SizeUnit::kMegabytes;
      in.free_mb = 5;
      break;
    case MediaType::kSvcd:
      in.audio_kbps = 192;
      in.disc_size = 797;
      in.unit = SizeUnit::kMegabytes;
      in.discs = 2;
      in.free_mb = 5;
      break;
    case MediaType::kDivx:
      in.audio_kbps = 192;
      in.disc_size = 700;
      in.unit = SizeUnit::kMegabytes;
      in.free_mb = 5;
      break;
  }
  return in;
}

MaxBitrateTable UpdateMaxBitrates(MaxBitrateTable table, MediaType type, double audio_kbps, int bits_per_kilobit) {
  if (bits_per_kilobit <= 0) throw CalculationError("Division by zero");
  const std::int64_t audio_bits = Trunc(Checked(audio_kbps * 1024));
  const auto row = [&](std::int64_t limit) {
    std::int64_t video_bits = 0;
    if (__builtin_sub_overflow(limit, audio_bits, &video_bits)) throw CalculationError(kIntegerOverflow);
    return video_bits / bits_per_kilobit;
  };
  switch (type) {
    case MediaType::kDvd: table.dvd = row(kDvdStreamLimit); break;
    case MediaType::kCdvd: table.cdvd = row(kDvdStreamLimit); break;
    case MediaType::kSvcd: table.svcd = row(kSvcdStreamLimit); break;
    case MediaType::kDivx: break;
  }
  return table;
}

std::int64_t MpegOverheadMegabytes(MediaType type, double disc_size, SizeUnit unit, int discs) {
  const long double capacity = TotalCapacity(disc_size, unit, discs);
  const long double payload = Checked(capacity * PayloadFactor(type));
  return Trunc((capacity - payload) / 1024 / 1024);
}

BitrateResult CalculateBitrate(const BitrateInputs& in, const BitrateShown& shown, Reporter& reporter) {
  BitrateResult result;
  result.shown = shown;
  try {
    result.shown.table = UpdateMaxBitrates(shown.table, in.type, in.audio_kbps, in.bits_per_kilobit);
  } catch (const CalculationError& failure) {
    reporter.Error(failure.what());
    reporter.Error(kMaxBitratesFailed);
  }
  try {
    result.shown.overhead_mb = MpegOverheadMegabytes(in.type, in.disc_size, in.unit, in.discs);
  } catch (const CalculationError& failure) {
    reporter.Error(failure.what());
    reporter.Error(kOverheadFailed);
  }
  try {
    CalculateRates(in, result, reporter);
    result.completed = true;
  } catch (const CalculationError& failure) {
    reporter.Error(failure.what());
    reporter.Error(kBitrateFailed);
  }
  return result;
}

}  // namespace sf
