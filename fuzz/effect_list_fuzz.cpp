// Effect-list text as a project cell holds it, parsed and applied to a small
// picture the way a compile applies it.
#include <exception>

#include "common/reporter.h"
#include "effects/apply_list_of_effects.h"
#include "effects/effect_list_text.h"
#include "fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    (void)sf::ParseEffectList(text);
  } catch (const std::exception&) {
    // malformed text is refused
  }
  sf::Bitmap picture(12, 9);
  sf::SilentReporter reporter;
  sf::ApplyListOfEffects(picture, text, reporter);
  return 0;
}
