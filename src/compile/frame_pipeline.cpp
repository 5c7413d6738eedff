#include "compile/frame_pipeline.h"

#include <algorithm>

#include "effects/noise_random.h"
#include "list/image_list.h"

namespace sf {

namespace {

// "Noise Color", "Noise Mono" and "Emboss Noise".
bool EffectsDrawNoise(const std::string& effects) { return effects.find("Noise") != std::string::npos; }

}  // namespace

FramePipeline::FramePipeline(const ImageList& list, const FrameRecipe& recipe, int threads, std::uint64_t noise_state)
    : m_recipe(recipe),
      m_noise_state(noise_state),
      m_ahead(2 * std::max(threads, 1)),
      m_state(noise_state),
      m_slots(static_cast<std::size_t>(list.RowCount())) {
  for (int row = 0; row < list.RowCount(); ++row) {
    m_rows.push_back({list.Path(row), list.Effects(row), EffectsDrawNoise(list.Effects(row)), RowMotionPath(list, row)});
  }
  for (int k = 0; k < std::max(threads, 1); ++k) m_threads.emplace_back([this] { Work(); });
}

FramePipeline::~FramePipeline() {
  {
    const std::lock_guard lock(m_mutex);
    m_quit = true;
  }
  m_changed.notify_all();
  for (std::thread& thread : m_threads) thread.join();
}

std::uint64_t FramePipeline::NoiseStartFor(int row) {
  int earlier = row - 1;
  while (earlier >= 0 && !m_rows[static_cast<std::size_t>(earlier)].draws_noise) --earlier;
  if (earlier < 0) return m_noise_state;
  std::unique_lock lock(m_mutex);
  const Slot& slot = m_slots[static_cast<std::size_t>(earlier)];
  m_changed.wait(lock, [&] { return m_quit || slot.done; });
  return slot.frame ? slot.frame->noise_state_after : slot.noise_start;
}

void FramePipeline::Work() {
  const int rows = static_cast<int>(m_rows.size());
  for (;;) {
    int row = 0;
    {
      std::unique_lock lock(m_mutex);
      m_changed.wait(lock, [&] { return m_quit || (m_next < rows && m_next < m_taken + m_ahead); });
      if (m_quit) return;
      row = m_next++;
    }
    const Row& job = m_rows[static_cast<std::size_t>(row)];
    Slot done;
    done.noise_start = job.draws_noise ? NoiseStartFor(row) : m_noise_state;
    try {
      done.frame = PrepareFrame(job.path, job.effects, m_recipe, done.noise_start, done.messages,
                                job.motion ? &*job.motion : nullptr);
    } catch (...) {
      done.failure = std::current_exception();
    }
    done.done = true;
    {
      const std::lock_guard lock(m_mutex);
      m_slots[static_cast<std::size_t>(row)] = std::move(done);
    }
    m_changed.notify_all();
  }
}

PreparedFrame FramePipeline::Take(int row, Reporter& reporter) {
  Slot slot;
  {
    std::unique_lock lock(m_mutex);
    Slot& waiting = m_slots.at(static_cast<std::size_t>(row));
    m_changed.wait(lock, [&] { return waiting.done; });
    slot = std::move(waiting);
    waiting = Slot{};
    waiting.done = true;
    waiting.noise_start = slot.noise_start;
    if (slot.frame) waiting.frame = PreparedFrame{Bitmap(), slot.frame->fitted, slot.frame->noise_state_after, nullptr};
    m_taken = row + 1;
  }
  m_changed.notify_all();
  const Row& job = m_rows[static_cast<std::size_t>(row)];
  // A row that was thought not to draw noise must leave the generator as it
  // found it; when one does not, the rows prepared ahead started from wrong
  // states, and from here on every row is prepared again, in order.
  if (!m_in_order && !slot.failure && !job.draws_noise && slot.frame->noise_state_after != slot.noise_start) {
    m_in_order = true;
  }
  if (m_in_order) {
    DeferredReporter again;
    slot.failure = nullptr;
    slot.frame = PrepareFrame(job.path, job.effects, m_recipe, m_state, again, job.motion ? &*job.motion : nullptr);
    slot.messages = std::move(again);
  }
  slot.messages.Replay(reporter);
  if (slot.failure) std::rethrow_exception(slot.failure);
  PreparedFrame frame = std::move(*slot.frame);
  if (job.draws_noise || m_in_order) {
    m_state = frame.noise_state_after;
  } else {
    frame.noise_state_after = m_state;
  }
  return frame;
}

}  // namespace sf
