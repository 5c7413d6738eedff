// Worker threads that convert the pictures of a run ahead of the row the run is
// writing, each picture on its own thread, a few rows ahead at most. A picture
// whose effects draw noise starts from the generator state the nearest earlier
// such picture left, so in a run where every picture passes the name checks the
// states are those of a one-at-a-time run; the run checks that and converts a
// picture again where they are not.
//   ConversionPipeline pipeline(jobs, recipe, 2, NoiseRandomState());
//   pipeline.Advance(row);  ConvertedPicture done = pipeline.Take(row);
#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tools/conversion_picture.h"

namespace sf {

struct PictureJob {
  std::string path;
  std::string effects;
  OutputKind kind = OutputKind::kBmp;
};

// True when the effect list names an effect that draws from the noise generator.
bool EffectsDrawNoise(const std::string& effects);

class ConversionPipeline {
 public:
  // A row without a job is never converted. Starts the threads at once.
  ConversionPipeline(std::vector<std::optional<PictureJob>> jobs, const PictureRecipe& recipe, int threads,
                     std::uint64_t noise_state);
  ~ConversionPipeline();
  ConversionPipeline(const ConversionPipeline&) = delete;
  ConversionPipeline& operator=(const ConversionPipeline&) = delete;

  // The run has reached the row: pictures of earlier rows are dropped and the
  // threads may work up to a few rows past it.
  void Advance(int row);
  // Waits for the row's picture (a row with a job, at or after the last
  // Advance); rethrows what its conversion threw.
  ConvertedPicture Take(int row);

 private:
  struct Slot {
    std::optional<ConvertedPicture> picture;
    std::exception_ptr failure;
    // The generator state this row hands to the next noise row.
    std::optional<std::uint64_t> noise_out;
  };

  void Work();
  std::uint64_t NoiseStartFor(int row);

  const std::vector<std::optional<PictureJob>> m_jobs;
  const std::vector<bool> m_draws_noise;
  const PictureRecipe m_recipe;
  const std::uint64_t m_noise_state;
  const int m_ahead;

  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::vector<Slot> m_slots;
  int m_next = 0;      // the next row a thread takes
  int m_current = 0;   // the row the run is at
  bool m_quit = false;
  std::vector<std::thread> m_threads;
};

}  // namespace sf
