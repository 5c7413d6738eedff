#include "support/recording_reporter.h"

namespace sf::test {

bool RecordingReporter::NextAnswer() {
  if (answers.empty()) return true;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

void RecordingReporter::Message(const std::string& text) { entries.push_back({Kind::kMessage, text}); }

bool RecordingReporter::Confirm(const std::string& text) {
  entries.push_back({Kind::kConfirm, text});
  return NextAnswer();
}

void RecordingReporter::Error(const std::string& text) { entries.push_back({Kind::kError, text}); }

bool RecordingReporter::ErrorQuestion(const std::string& text) {
  entries.push_back({Kind::kErrorQuestion, text});
  return NextAnswer();
}

std::vector<std::string> RecordingReporter::Texts() const {
  std::vector<std::string> texts;
  for (const auto& entry : entries) texts.push_back(entry.text);
  return texts;
}

std::vector<std::string> RecordingReporter::Errors() const {
  std::vector<std::string> texts;
  for (const auto& entry : entries) {
    if (entry.kind == Kind::kError) texts.push_back(entry.text);
  }
  return texts;
}

void RecordingProgress::Progress(const std::string& text, int percent) {
  progress_texts.push_back(text);
  percents.push_back(percent);
}

void RecordingProgress::ProgressText(const std::string& text) { progress_texts.push_back(text); }

void RecordingProgress::Message(const std::string& text, bool remember) {
  messages.push_back(text);
  if (remember) remembered = text;
}

void RecordingProgress::Title(const std::string& text) { title = text; }

void RecordingProgress::ProcessEvents() { ++events; }

bool RecordingProgress::StopRequested() { return stop_after_events >= 0 && events >= stop_after_events; }

}  // namespace sf::test
