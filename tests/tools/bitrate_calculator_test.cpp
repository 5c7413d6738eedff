// The bitrate arithmetic: the rates, sizes and overhead of the presets, the cap
// at the table's maximum, 1024-bit kilobits, several discs, and the failures
// that end a calculation or only one of its steps.
#include "tools/bitrate_calculator.h"

#include <gtest/gtest.h>

#include "support/recording_reporter.h"

namespace sf {
namespace {

struct Expected {
  MaxBitrateTable table;
  std::int64_t overhead_mb;
  SizeReading audio;
  std::int64_t kilobits;
  std::int64_t bits;
  SizeReading video;
  std::int64_t iso_mb;
};

void ExpectResult(const BitrateResult& result, const Expected& expected) {
  ASSERT_TRUE(result.completed);
  EXPECT_EQ(result.shown.table, expected.table);
  EXPECT_EQ(result.shown.overhead_mb, expected.overhead_mb);
  EXPECT_EQ(result.audio_size, expected.audio);
  EXPECT_EQ(result.kilobits_per_second, expected.kilobits);
  EXPECT_EQ(result.bits_per_second, expected.bits);
  EXPECT_EQ(result.video_size, expected.video);
  EXPECT_EQ(result.total_iso_mb, expected.iso_mb);
}

BitrateResult Calculate(const BitrateInputs& in, test::RecordingReporter& reporter,
                        const BitrateShown& shown = BitrateShown{}) {
  return CalculateBitrate(in, shown, reporter);
}

TEST(BitrateCalculator, PresetsGiveTheirRatesSizesAndOverhead) {
  struct Row {
    MediaType type;
    Expected expected;
  };
  const Row rows[] = {
      {MediaType::kDvd, {{9570, 9570, 2556}, 92, {151200, 147}, 6548, 6548308, {4316512, 4215}, 25}},
      {MediaType::kCdvd, {{9570, 9603, 2556}, 14, {86400, 84}, 1390, 1390237, {610944, 596}, 5}},
      // Two discs: twice the capacity and the free space, 2 x 5 MB kept free.
      {MediaType::kSvcd, {{9570, 9570, 2591}, 31, {129600, 126}, 2215, 2215893, {1460671, 1426}, 10}},
      {MediaType::kDivx, {{9570, 9570, 2556}, 0, {129600, 126}, 883, 883036, {582080, 568}, 5}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(MediaTypeName(row.type));
    test::RecordingReporter reporter;
    ExpectResult(Calculate(BitratePreset(row.type), reporter), row.expected);
    EXPECT_TRUE(reporter.entries.empty());
  }
}

TEST(BitrateCalculator, KilobitsOf1024ChangeTheTableAndTheKilobitResultOnly) {
  BitrateInputs in = BitratePreset(MediaType::kDvd);
  in.bits_per_kilobit = 1024;
  test::RecordingReporter reporter;
  // (9800000 - 224 * 1024) div 1024; the audio still counts 1024 bits a kilobit.
  ExpectResult(Calculate(in, reporter), {{9346, 9570, 2556}, 92, {151200, 147}, 6394, 6548308, {4316512, 4215}, 25});

  // The cap is the table row times 1024 bits.
  in.minutes = 30;
  ExpectResult(Calculate(in, reporter), {{9346, 9570, 2556}, 92, {50400, 49}, 9346, 9570304, {2102850, 2053}, 25});
}

TEST(BitrateCalculator, TheMaximumCapsTheRateUnlessIgnoredOrDivx) {
  BitrateInputs in = BitratePreset(MediaType::kDvd);
  in.minutes = 30;
  test::RecordingReporter reporter;
  ExpectResult(Calculate(in, reporter), {{9570, 9570, 2556}, 92, {50400, 49}, 9570, 9570000, {2102783, 2053}, 25});

  in.ignore_max = true;
  ExpectResult(Calculate(in, reporter), {{9570, 9570, 2556}, 92, {50400, 49}, 20103, 20103677, {4417312, 4313}, 25});

  // DivX has no maximum and no overhead.
  in.type = MediaType::kDivx;
  in.ignore_max = false;
  ExpectResult(Calculate(in, reporter), {{9570, 9570, 2556}, 0, {50400, 49}, 20532, 20532428, {4511520, 4405}, 25});
  EXPECT_TRUE(reporter.entries.empty());
}

TEST(BitrateCalculator, SeveralDiscsScaleCapacityFreeSpaceAndOverhead) {
  BitrateInputs in = BitratePreset(MediaType::kSvcd);
  in.discs = 1;
  test::RecordingReporter reporter;
  ExpectResult(Calculate(in, reporter), {{9570, 9570, 2591}, 15, {129600, 126}, 1010, 1010419, {666048, 650}, 5});
  // 15.6 MB of overhead a disc: two discs truncate the sum to 31, not 2 x 15.
  EXPECT_EQ(MpegOverheadMegabytes(MediaType::kSvcd, 797, SizeUnit::kMegabytes, 2), 31);
  EXPECT_EQ(MpegOverheadMegabytes(MediaType::kDvd, 4.375, SizeUnit::kGigabytes, 2), 184);
  EXPECT_EQ(MpegOverheadMegabytes(MediaType::kDvd, 4.375 * 1024 * 1024, SizeUnit::kKilobytes, 1), 92);
  EXPECT_EQ(MpegOverheadMegabytes(MediaType::kDvd, 4697620480, SizeUnit::kBytes, 1), 92);
}

TEST(BitrateCalculator, AudioBeyondTheDiscsGivesANegativeRateWithoutAMessage) {
  BitrateInputs in = BitratePreset(MediaType::kDvd);
  in.audio_kbps = 448;
  in.tracks = 999;
  test::RecordingReporter reporter;
  ExpectResult(Calculate(in, reporter),
               {{9341, 9570, 2556}, 92, {302097600, 295017}, -451515, -451515563, {-297629888, -290654}, 25});
  EXPECT_TRUE(reporter.entries.empty());
}

TEST(BitrateCalculator, OnlyTheSelectedTypesRowIsRecomputed) {
  const MaxBitrateTable table{1, 2, 3};
  EXPECT_EQ(UpdateMaxBitrates(table, MediaType::kSvcd, 192, 1000), (MaxBitrateTable{1, 2, 2591}));
  EXPECT_EQ(UpdateMaxBitrates(table, MediaType::kCdvd, 192, 1000), (MaxBitrateTable{1, 9603, 3}));
  EXPECT_EQ(UpdateMaxBitrates(table, MediaType::kDivx, 192, 1000), table);
  // b = trunc(a x 1024) before the integer division, which truncates toward zero.
  // 320.5 bits truncate to 320, leaving exactly 9570 x 1024.
  EXPECT_EQ(UpdateMaxBitrates(table, MediaType::kDvd, 320.5 / 1024, 1024), (MaxBitrateTable{9570, 2, 3}));
  // -284500 div 1000 is -284.
  EXPECT_EQ(UpdateMaxBitrates(table, MediaType::kSvcd, 3072500.0 / 1024, 1000), (MaxBitrateTable{1, 2, -284}));
}

TEST(BitrateCalculator, ADurationOfZeroEndsTheCalculationAfterTheAudioSize) {
  BitrateInputs in = BitratePreset(MediaType::kSvcd);
  in.minutes = 0;
  test::RecordingReporter reporter;
  const BitrateResult result = Calculate(in, reporter);
  EXPECT_FALSE(result.completed);
  EXPECT_EQ(reporter.Errors(), (std::vector<std::string>{"Floating point division by zero", kBitrateFailed}));
  // The table, the overhead and the audio size were written before the division.
  EXPECT_EQ(result.shown.table, (MaxBitrateTable{9570, 9570, 2591}));
  EXPECT_EQ(result.shown.overhead_mb, 31);
  EXPECT_EQ(result.audio_size, (SizeReading{0, 0}));
  EXPECT_FALSE(result.bits_per_second);
  EXPECT_FALSE(result.kilobits_per_second);
  EXPECT_FALSE(result.video_size);
  EXPECT_FALSE(result.total_iso_mb);
}

TEST(BitrateCalculator, AFailedTableOrOverheadKeepsItsValueAndTheCalculationGoesOn) {
  test::RecordingReporter reporter;
  const BitrateShown shown{{1, 2, 3}, 7};
  BitrateInputs in = BitratePreset(MediaType::kDvd);
  in.disc_size = 1e300;  // GB: the capacity leaves the doubles
  BitrateResult result = Calculate(in, reporter, shown);
  EXPECT_EQ(reporter.Errors(), (std::vector<std::string>{"Floating point overflow",
                                                         "Unable to calculate mpeg/author overhead.",
                                                         "Floating point overflow", kBitrateFailed}));
  EXPECT_EQ(result.shown.overhead_mb, 7);
  EXPECT_EQ(result.shown.table.dvd, 9570);

  // Audio bits beyond the 64-bit integers break the table; with no tracks the
  // rest of the calculation still runs.
  reporter.entries.clear();
  in = BitratePreset(MediaType::kDvd);
  in.audio_kbps = 1e17;
  in.tracks = 0;
  result = Calculate(in, reporter, shown);
  EXPECT_EQ(reporter.Errors(), (std::vector<std::string>{"Invalid floating point operation",
                                                         "Unable to calculate max bitrates."}));
  EXPECT_TRUE(result.completed);
  EXPECT_EQ(result.shown.table, shown.table);
  EXPECT_EQ(result.shown.overhead_mb, 92);
  // The cap is the old DVD row, 1 kbit/s.
  EXPECT_EQ(result.bits_per_second, 1000);
}

TEST(BitrateCalculator, AVideoSizeBeyondTheIntegersReadsAsZeroAndTheTotalFollows) {
  BitrateInputs in = BitratePreset(MediaType::kDivx);
  in.disc_size = 1e13;
  in.unit = SizeUnit::kGigabytes;
  in.minutes = 1e12;
  test::RecordingReporter reporter;
  const BitrateResult result = Calculate(in, reporter);
  EXPECT_EQ(reporter.Errors(), (std::vector<std::string>{"Unable to get video size."}));
  EXPECT_TRUE(result.completed);
  EXPECT_EQ(result.video_size, (SizeReading{0, 0}));
  EXPECT_EQ(result.total_iso_mb, 5);
}

TEST(BitrateCalculator, NamesAndNumbersAreReadExactly) {
  EXPECT_EQ(ParseMediaType("cDVD"), MediaType::kCdvd);
  EXPECT_FALSE(ParseMediaType("cdvd"));
  EXPECT_EQ(ParseSizeUnit("Bytes"), SizeUnit::kBytes);
  EXPECT_FALSE(ParseSizeUnit("TB"));
  EXPECT_EQ(ReadBitrateNumber(" 4.375"), 4.375);
  try {
    ReadBitrateNumber("ninety");
    FAIL() << "no error for a text that is not a number";
  } catch (const CalculationError& error) {
    EXPECT_STREQ(error.what(), "'ninety' is not a valid number.");
  }
}

}  // namespace
}  // namespace sf
