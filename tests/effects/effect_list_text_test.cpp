// Reading and writing effect-list texts, and the "Applied Effects:" lines.
#include "effects/effect_list_text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace sf {
namespace {

using ::testing::StrEq;
using ::testing::ThrowsMessage;
using Lines = std::vector<std::string>;

TEST(EffectListText, ParsesTheCountAndTheEntriesInOrder) {
  const EffectList list = ParseEffectList("2<Brighter=50><Blur Gaussian=3>");
  EXPECT_EQ(list.count, 2);
  EXPECT_EQ(list.entries, (Lines{"Brighter=50", "Blur Gaussian=3"}));
  EXPECT_EQ(ParseEffectList("").count, 0);
  // Text after the N-th entry is ignored; the character after each ">" is skipped unseen.
  EXPECT_EQ(ParseEffectList("1<Brighter=50><Darker=100>").entries, (Lines{"Brighter=50"}));
  EXPECT_EQ(ParseEffectList("2<A=1>x<B=2>").entries, (Lines{"A=1", "<B=2"}));
}

TEST(EffectListText, FormatsAndRoundTrips) {
  EXPECT_EQ(FormatEffectList({}), "");
  Lines entries = {"Brighter=50", "Mosaic=10", "Brighter=50"};
  EXPECT_EQ(FormatEffectList(entries), "3<Brighter=50><Mosaic=10><Brighter=50>");
  for (int i = 0; i < 9; ++i) entries.push_back("Twist=" + std::to_string(i));
  const EffectList twelve = ParseEffectList(FormatEffectList(entries));
  EXPECT_EQ(twelve.count, 12);
  EXPECT_EQ(twelve.entries, entries);
}

TEST(EffectListText, RejectsMalformedTextsWithAPlainReason) {
  const struct {
    const char* text;
    const char* message;
  } rows[] = {
      {"2<Brighter=50>", "The effect list text ends before entry 2 of 2."},
      {"3<A=1><B=2", "Entry 2 of the effect list text has no closing \">\"."},
      {"Brighter=50", "The effect list text has no \"<\" after its count."},
      {"x<Brighter=50>", "'x' is not a valid integer value."},
      {"<Brighter=50>", "'' is not a valid integer value."},
      {"99999999999<A=1>", "'99999999999' is not a valid integer value."},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_THAT([&] { ParseEffectList(row.text); }, ThrowsMessage<EffectListError>(StrEq(row.message)));
  }
  EXPECT_EQ(ParseWholeNumber("+7"), 7);
  EXPECT_EQ(ParseWholeNumber("-2147483648"), -2147483647 - 1);
  for (const char* bad : {"+", "5x", " 5", "+-5", "2147483648", "1.5"}) {
    EXPECT_THAT([&] { (void)(ParseWholeNumber(bad)); },
                ThrowsMessage<EffectListError>(StrEq("'" + std::string(bad) + "' is not a valid integer value.")))
        << "'" << bad << "'";
  }
}

TEST(EffectListText, SummaryLinesFollowTheSelection) {
  EXPECT_EQ(AppliedEffectsSummary({}), (Lines{"Applied Effects:"}));
  EXPECT_EQ(AppliedEffectsSummary(Lines{""}), (Lines{"Applied Effects: 0"}));
  EXPECT_EQ(AppliedEffectsSummary(Lines{"2<Brighter=50><Mosaic=10>"}),
            (Lines{"Applied Effects: 2", "Brighter=50", "Mosaic=10"}));
  EXPECT_EQ(AppliedEffectsSummary(Lines{"2<Brighter=50><Mosaic=10>", ""}), (Lines{"Applied Effects: ?"}));
}

}  // namespace
}  // namespace sf
