// What the window benchmarks share: a reporter that answers yes and prints
// errors, and timing a step together with the longest stretch during which the
// window handled no events.
//   Measure(kNameWidth, "sort", [&] { ui.SortBtn->click(); });
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "common/reporter.h"

namespace sf::bench {

class YesReporter final : public Reporter {
 public:
  void Message(const std::string&) override {}
  bool Confirm(const std::string&) override { return true; }
  void Error(const std::string& text) override { std::fprintf(stderr, "error: %s\n", text.c_str()); }
};

// Runs a step while a 5 ms timer notes the longest time between two of its
// ticks; the name is printed left-aligned in name_width columns.
inline void Measure(int name_width, const char* name, const std::function<void()>& step) {
  QElapsedTimer clock;
  qint64 last_tick = 0, longest_gap = 0;
  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    const qint64 now = clock.elapsed();
    longest_gap = std::max(longest_gap, now - last_tick);
    last_tick = now;
    ++ticks;
  });
  ticker.start(5);
  clock.start();
  step();
  const qint64 total = clock.elapsed();
  longest_gap = std::max(longest_gap, total - last_tick);
  std::printf("%-*s %7lld ms   longest unresponsive stretch %5lld ms   event turns %d\n", name_width, name,
              static_cast<long long>(total), static_cast<long long>(longest_gap), ticks);
}

}  // namespace sf::bench
