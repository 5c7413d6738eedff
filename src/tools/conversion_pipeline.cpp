#include "tools/conversion_pipeline.h"

#include <algorithm>

namespace sf {

namespace {

std::vector<bool> NoiseRows(const std::vector<std::optional<PictureJob>>& jobs) {
  std::vector<bool> rows;
  rows.reserve(jobs.size());
  for (const auto& job : jobs) rows.push_back(job && EffectsDrawNoise(job->effects));
  return rows;
}

}  // namespace

bool EffectsDrawNoise(const std::string& effects) {
  // "Noise Color", "Noise Mono" and "Emboss Noise".
  return effects.find("Noise") != std::string::npos;
}

ConversionPipeline::ConversionPipeline(std::vector<std::optional<PictureJob>> jobs, const PictureRecipe& recipe,
                                       int threads, std::uint64_t noise_state)
    : m_jobs(std::move(jobs)),
      m_draws_noise(NoiseRows(m_jobs)),
      m_recipe(recipe),
      m_noise_state(noise_state),
      m_ahead(2 * std::max(threads, 1)),
      m_slots(m_jobs.size()) {
  for (int k = 0; k < std::max(threads, 1); ++k) m_threads.emplace_back([this] { Work(); });
}

ConversionPipeline::~ConversionPipeline() {
  {
    const std::lock_guard lock(m_mutex);
    m_quit = true;
  }
  m_changed.notify_all();
  for (std::thread& thread : m_threads) thread.join();
}

void ConversionPipeline::Advance(int row) {
  {
    const std::lock_guard lock(m_mutex);
    for (int k = m_current; k < row && k < static_cast<int>(m_slots.size()); ++k) m_slots[k].picture.reset();
    m_current = std::max(m_current, row);
  }
  m_changed.notify_all();
}

ConvertedPicture ConversionPipeline::Take(int row) {
  std::unique_lock lock(m_mutex);
  Slot& slot = m_slots.at(row);
  m_changed.wait(lock, [&] { return slot.picture.has_value() || slot.failure != nullptr; });
  if (slot.failure) std::rethrow_exception(slot.failure);
  ConvertedPicture picture = std::move(*slot.picture);
  slot.picture.reset();
  return picture;
}

std::uint64_t ConversionPipeline::NoiseStartFor(int row) {
  int earlier = row - 1;
  while (earlier >= 0 && !m_draws_noise[earlier]) --earlier;
  if (earlier < 0) return m_noise_state;
  std::unique_lock lock(m_mutex);
  m_changed.wait(lock, [&] { return m_quit || m_slots[earlier].noise_out.has_value(); });
  return m_slots[earlier].noise_out.value_or(m_noise_state);
}

void ConversionPipeline::Work() {
  const int rows = static_cast<int>(m_jobs.size());
  for (;;) {
    int row = 0;
    {
      std::unique_lock lock(m_mutex);
      m_changed.wait(lock, [&] { return m_quit || (m_next < rows && m_next < m_current + m_ahead); });
      if (m_quit) return;
      row = m_next++;
    }
    if (!m_jobs[row]) continue;
    const PictureJob& job = *m_jobs[row];

    std::optional<std::uint64_t> start;
    const auto noise_start = [&] {
      if (!start) start = NoiseStartFor(row);
      return *start;
    };
    Slot done;
    try {
      done.picture = ConvertPicture(job.path, job.effects, job.kind, m_recipe, noise_start, nullptr);
    } catch (...) {
      done.failure = std::current_exception();
    }
    if (m_draws_noise[row]) {
      // A row whose effects did not run hands on the state it started from.
      done.noise_out = done.picture && done.picture->DrewNoise() ? done.picture->noise_after : noise_start();
    }
    {
      const std::lock_guard lock(m_mutex);
      // The run may have passed the row already (skipped or stopped there).
      if (row < m_current) done.picture.reset();
      m_slots[row] = std::move(done);
    }
    m_changed.notify_all();
  }
}

}  // namespace sf
