#include "common/deferred_reporter.h"

namespace sf {

bool DeferredReporter::Confirm(const std::string& text) {
  m_entries.push_back({Kind::kConfirm, text});
  return true;
}

bool DeferredReporter::ErrorQuestion(const std::string& text) {
  m_entries.push_back({Kind::kErrorQuestion, text});
  return true;
}

void DeferredReporter::Replay(Reporter& reporter) const {
  for (const Entry& entry : m_entries) {
    switch (entry.kind) {
      case Kind::kMessage: reporter.Message(entry.text); break;
      case Kind::kConfirm: reporter.Confirm(entry.text); break;
      case Kind::kError: reporter.Error(entry.text); break;
      case Kind::kErrorQuestion: reporter.ErrorQuestion(entry.text); break;
    }
  }
}

}  // namespace sf
