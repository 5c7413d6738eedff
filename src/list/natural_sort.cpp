#include "list/natural_sort.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "common/number_format.h"
#include "common/progress_observer.h"
#include "list/image_list.h"

namespace sf {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A position at or beyond the end reads as 0; bytes 128 to 255 are negative.
signed char At(std::string_view key, std::size_t k) { return k < key.size() ? static_cast<signed char>(key[k]) : 0; }

std::size_t DigitRunEnd(std::string_view key, std::size_t k) {
  while (k < key.size() && IsDigit(key[k])) ++k;
  return k;
}

// Compares two runs of decimal digits by value, however long they are.
int CompareDigitValues(std::string_view a, std::string_view b) {
  while (a.size() > 1 && a.front() == '0') a.remove_prefix(1);
  while (b.size() > 1 && b.front() == '0') b.remove_prefix(1);
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  const int order = a.compare(b);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

std::string ProgressLine(int percent, int position, int to) {
  return std::to_string(percent) + "% - Sorting Image " + std::to_string(position) + " of " + std::to_string(to);
}

}  // namespace

std::string SortKey(std::string_view path, bool depth_mode, int depth) {
  std::string key(path);
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (depth_mode && depth > 0 && key.size() > static_cast<std::size_t>(depth)) {
    key.erase(0, key.size() - static_cast<std::size_t>(depth));
  }
  return key;
}

int CompareKeys(std::string_view a, std::string_view b) {
  a = a.substr(0, std::min(a.size(), kMaxSortKey));
  b = b.substr(0, std::min(b.size(), kMaxSortKey));
  std::size_t k = 0;
  while (k < a.size() && k < b.size()) {
    if (IsDigit(a[k]) && IsDigit(b[k])) {
      const std::size_t end_a = DigitRunEnd(a, k);
      const std::size_t end_b = DigitRunEnd(b, k);
      const int order = CompareDigitValues(a.substr(k, end_a - k), b.substr(k, end_b - k));
      if (order != 0) return order;
      // Equal values: both keys go on from the end of a's run.
      k = end_a;
    }
    if (At(a, k) < At(b, k)) return -1;
    if (At(a, k) > At(b, k)) return 1;
    ++k;
    // A key that ends here while the other goes on is a prefix of it and comes first.
    if (k >= a.size() && k < b.size()) return -1;
    if (k >= b.size() && k < a.size()) return 1;
  }
  return 0;
}

int SortDepthFromText(std::string_view text, int current_depth) {
  const auto value = ParseInteger(text);
  if (!value) return kDefaultSortDepth;
  if (*value == 0) return current_depth;
  return static_cast<int>(std::clamp<long long>(*value, -999999, 999999));
}

bool SortRows(ImageList& list, int from, int to, const SortOptions& options, ProgressObserver& progress) {
  progress.Message("Sorting list...", true);
  to = std::min(to, list.RowCount());
  const int first = std::max(from, 0);
  // Each row's key is made once and travels with its row; the keys are made
  // again after events have run, in case the list changed meanwhile.
  std::vector<std::string> keys(static_cast<std::size_t>(std::max(to, 0)));
  const auto make_keys = [&](int start) {
    for (int row = start; row < to; ++row) keys[row] = SortKey(list.Path(row), options.depth_mode, options.depth);
  };
  make_keys(first);
  std::string last_progress;
  for (int i = first; i < to; ++i) {
    if (i % 30 == 0 || i + 1 == to) {
      const int percent = static_cast<int>(static_cast<long long>(i + 1) * 100 / to);
      last_progress = ProgressLine(percent, i + 1, to);
      progress.Progress(last_progress, percent);
      progress.ProcessEvents();
      if (progress.StopRequested()) {
        progress.Message("Sort cancelled.", true);
        return false;
      }
      // The list may have changed while events ran; never read past its end.
      to = std::min(to, list.RowCount());
      if (i >= to) break;
      make_keys(i);
    }
    int best = i;
    for (int j = i + 1; j < to; ++j) {
      const int order = CompareKeys(keys[best], keys[j]);
      if (options.backward ? order < 0 : order > 0) best = j;
    }
    if (best != i) {
      list.SwapRows(i, best);
      std::swap(keys[i], keys[best]);
    }
  }
  progress.Message("List sorted.", true);
  if (!last_progress.empty()) progress.Progress(last_progress, 0);
  return true;
}

}  // namespace sf
