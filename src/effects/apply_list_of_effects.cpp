#include "effects/apply_list_of_effects.h"

#include <exception>
#include <string>

#include "effects/apply_effect.h"
#include "effects/effect_list_text.h"

namespace sf {

namespace {

// Applies the entries to `work`; false when an effect name was not found (and
// reported). Each entry is read just before it runs, so an unknown name is
// reported ahead of any malformed text after it.
bool ApplyEntries(Bitmap& work, std::string_view text, Reporter& reporter, ProgressObserver* observer) {
  EffectListReader reader(text);
  for (int i = 0; i < reader.Count(); ++i) {
    const std::string_view entry = reader.NextEntry();
    const std::size_t equals = entry.find('=');
    const std::string_view name = entry.substr(0, equals);
    const int value = ParseWholeNumber(equals == std::string_view::npos ? std::string_view{} : entry.substr(equals + 1));
    if (ApplyEffect(work, name, value, observer)) {
      reporter.Error("Error applying effect \"" + std::string(name) + "\". Effect not found.\n - ApplyListOfEffects()");
      return false;
    }
  }
  return true;
}

}  // namespace

void ApplyListOfEffects(Bitmap& picture, std::string_view text, Reporter& reporter, ProgressObserver* observer) {
  if (text.empty()) return;
  try {
    Bitmap work(picture.Width(), picture.Height());
    work.Draw(picture, 0, 0);
    if (!ApplyEntries(work, text, reporter, observer)) return;
    picture.SetSize(work.Width(), work.Height());
    picture.Draw(work, 0, 0);
  } catch (const std::exception& error) {
    reporter.Error(error.what());
    reporter.Error("Error applying list of effects to bitmap.\n - ApplyListOfEffects()()");
  }
}

}  // namespace sf
