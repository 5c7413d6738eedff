#include "cli/command_line.h"

#include "common/number_format.h"

namespace sf::cli {

std::optional<std::string> ParsedArgs::Value(const std::string& name) const {
  const auto it = values.find(name);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

ParsedArgs ParseArgs(std::span<const std::string> args, std::initializer_list<OptionSpec> options) {
  ParsedArgs parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word == "--help" || word == "-h") {
      parsed.help = true;
      continue;
    }
    if (word.size() < 2 || word[0] != '-' || word == "--") {
      parsed.positional.push_back(word);
      continue;
    }
    std::string name = word;
    std::optional<std::string> inline_value;
    if (const auto eq = word.find('='); eq != std::string::npos) {
      name = word.substr(0, eq);
      inline_value = word.substr(eq + 1);
    }
    const OptionSpec* found = nullptr;
    for (const auto& option : options) {
      if (option.name == name) found = &option;
    }
    if (found == nullptr) throw UsageError("unknown option " + name);
    if (!found->takes_value) {
      if (inline_value) throw UsageError("option " + name + " takes no value");
      parsed.flags.insert(name);
      continue;
    }
    if (inline_value) {
      parsed.values[name] = *inline_value;
    } else {
      if (i + 1 >= args.size()) throw UsageError("option " + name + " needs a value");
      parsed.values[name] = args[++i];
    }
  }
  return parsed;
}

std::pair<int, int> ParseSize(const std::string& text, const std::string& option) {
  const auto x = text.find_first_of("xX");
  if (x == std::string::npos) throw UsageError(option + " must be WIDTHxHEIGHT, not \"" + text + "\"");
  const long long w = ParseIntOption(text.substr(0, x), option, 1, 9999999);
  const long long h = ParseIntOption(text.substr(x + 1), option, 1, 9999999);
  return {static_cast<int>(w), static_cast<int>(h)};
}

long long ParseIntOption(const std::string& text, const std::string& option, long long low, long long high) {
  const auto value = ParseInteger(text);
  if (!value || *value < low || *value > high) {
    throw UsageError(option + " must be a whole number from " + std::to_string(low) + " to " +
                     std::to_string(high) + ", not \"" + text + "\"");
  }
  return *value;
}

double ParseRealOption(const std::string& text, const std::string& option, double low, double high) {
  const auto value = ParseDouble(text);
  if (!value || !(*value > low && *value <= high)) {
    throw UsageError(option + " must be a number above " + FormatGeneral(low) + " and at most " +
                     FormatGeneral(high) + ", not \"" + text + "\"");
  }
  return *value;
}

}  // namespace sf::cli
