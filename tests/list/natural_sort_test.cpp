#include "list/natural_sort.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list/image_list.h"
#include "support/recording_reporter.h"

namespace sf {
namespace {

ImageList ListOf(const std::vector<std::string>& paths) {
  ImageList list;
  for (const std::string& path : paths) {
    list.AddPath(path);
    list.SetCell(list.LastRow(), kEffectsColumn, "fx:" + path);
    list.SetCell(list.LastRow(), kRowTabColumn, std::to_string(list.LastRow()));
  }
  return list;
}

std::vector<std::string> Paths(const ImageList& list) {
  std::vector<std::string> paths;
  for (int r = 0; r < list.RowCount(); ++r) paths.push_back(list.Path(r));
  return paths;
}

std::vector<std::string> Sorted(const std::vector<std::string>& paths, SortOptions options = {}) {
  ImageList list = ListOf(paths);
  test::RecordingProgress progress;
  EXPECT_TRUE(SortRows(list, 0, list.RowCount(), options, progress));
  for (int r = 0; r < list.RowCount(); ++r) {
    EXPECT_EQ(list.Effects(r), "fx:" + list.Path(r)) << "cells move with their row";
    EXPECT_EQ(list.Cell(r, kRowTabColumn), std::to_string(r)) << "row tabs stay";
  }
  return Paths(list);
}

TEST(NaturalSort, KeyComparison) {
  struct Row {
    const char* a;
    const char* b;
    int order;  // negative: a first
  };
  const Row rows[] = {
      {"pic9.jpg", "pic10.jpg", -1},
      {"ab", "abc", -1},             // a proper prefix comes first
      {"img007", "img7", 0},         // equal values, both keys end
      {"img007.jpg", "img7.jpg", -1},  // goes on after a's run: '.' against 'p'
      {"a07", "a7b", 0},             // b's 'b' is skipped with a's longer run
      {"99999999999999999999999", "100000000000000000000000", -1},  // runs of any length
      {"\xE9t\xE9", "zeta", -1},     // bytes above 127 are negative
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.a) + " / " + row.b);
    const int order = CompareKeys(row.a, row.b);
    EXPECT_EQ(order < 0 ? -1 : (order > 0 ? 1 : 0), row.order);
  }
  EXPECT_EQ(CompareKeys(std::string(9999, 'a') + "b", std::string(9999, 'a') + "c"), 0)
      << "only the first 9999 characters count";
}

TEST(NaturalSort, SortsWholeRows) {
  EXPECT_EQ(Sorted({"pic10.jpg", "pic9.jpg", "pic1.jpg"}),
            (std::vector<std::string>{"pic1.jpg", "pic9.jpg", "pic10.jpg"}));
  EXPECT_EQ(Sorted({"pic10.jpg", "pic9.jpg", "pic1.jpg"}, {.backward = true}),
            (std::vector<std::string>{"pic10.jpg", "pic9.jpg", "pic1.jpg"}));
  EXPECT_EQ(Sorted({"img3.jpg", "IMG2.JPG", "img1.jpg"})[1], "IMG2.JPG");
  EXPECT_EQ(Sorted({"abc", "ab", "abb"}), (std::vector<std::string>{"ab", "abb", "abc"}));
  EXPECT_EQ(Sorted({"abb", "ab", "abc"}, {.backward = true}), (std::vector<std::string>{"abc", "abb", "ab"}));
  // Depth 8 compares pic2.jpg with ic10.jpg; a path that short is compared whole.
  EXPECT_EQ(SortKey("D:/z/pic10.jpg", true, 8), "ic10.jpg");
  EXPECT_EQ(SortKey("a/b.jpg", true, 8), "a/b.jpg");
  EXPECT_EQ(Sorted({"D:/z/pic10.jpg", "C:/a/x/pic2.jpg"}, {.depth_mode = true, .depth = 8}),
            (std::vector<std::string>{"D:/z/pic10.jpg", "C:/a/x/pic2.jpg"}));
  EXPECT_EQ(SortDepthFromText("0", 40), 40);
  EXPECT_EQ(SortDepthFromText("", 40), 25);
}

TEST(NaturalSort, SortsASelectionWithProgressAgainstItsEnd) {
  ImageList list = ListOf({"j", "i", "h", "g", "f", "e", "d", "c", "b", "a"});
  test::RecordingProgress progress;
  EXPECT_TRUE(SortRows(list, 3, 6, {}, progress));
  EXPECT_EQ(Paths(list), (std::vector<std::string>{"j", "i", "h", "e", "f", "g", "d", "c", "b", "a"}));
  EXPECT_EQ(progress.progress_texts, (std::vector<std::string>{"100% - Sorting Image 6 of 6",
                                                               "100% - Sorting Image 6 of 6"}));
  EXPECT_EQ(progress.percents, (std::vector<int>{100, 0}));
  EXPECT_EQ(progress.messages, (std::vector<std::string>{"Sorting list...", "List sorted."}));
}

TEST(NaturalSort, StopsAtAProgressStep) {
  std::vector<std::string> paths;
  for (int i = 70; i > 0; --i) paths.push_back("p" + std::to_string(i));
  ImageList list = ListOf(paths);
  test::RecordingProgress progress;
  progress.stop_after_events = 2;  // noticed at row position 31
  EXPECT_FALSE(SortRows(list, 0, list.RowCount(), {}, progress));
  EXPECT_EQ(progress.progress_texts.back(), "44% - Sorting Image 31 of 70");
  EXPECT_EQ(progress.messages.back(), "Sort cancelled.");
  EXPECT_EQ(list.Path(29), "p30") << "the rows before the stop are in their final order";
  EXPECT_EQ(list.Path(30), "p40") << "the rest stays as it was";
}

// Events run at each progress step may change the list (a row edited or the
// list shortened); the sort goes on with what the list then holds.
TEST(NaturalSort, UsesTheListAsEventsLeftIt) {
  class EditingProgress final : public test::RecordingProgress {
   public:
    explicit EditingProgress(ImageList& list) : m_list(list) {}
    void ProcessEvents() override {
      if (++m_calls != 2) return;
      m_list.SetCell(50, kPathColumn, "p00");
      m_list.SetRowCount(60);
    }

   private:
    ImageList& m_list;
    int m_calls = 0;
  };
  std::vector<std::string> paths;
  for (int i = 70; i > 0; --i) paths.push_back("p" + std::to_string(i));
  ImageList list = ListOf(paths);
  EditingProgress progress(list);
  EXPECT_TRUE(SortRows(list, 0, list.RowCount(), {}, progress));
  ASSERT_EQ(list.RowCount(), 60);
  EXPECT_EQ(list.Path(30), "p00") << "the edited path sorts by its new text";
  EXPECT_EQ(list.Path(31), "p31");
  EXPECT_EQ(list.Path(59), "p60");
}

}  // namespace
}  // namespace sf
