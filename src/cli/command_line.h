// Parsing of one subcommand's arguments: positional words, options with a value
// ("--size 720x480" or "--size=720x480") and flags ("--smooth"). A wrong
// argument throws UsageError, which the command line turns into exit status 2.
//   const ParsedArgs args = ParseArgs(words, {{"--size", true}, {"--smooth", false}});
//   if (args.Has("--smooth")) ...
#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace sf::cli {

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct OptionSpec {
  std::string name;
  bool takes_value = false;
};

struct ParsedArgs {
  std::vector<std::string> positional;
  std::map<std::string, std::string> values;
  std::set<std::string> flags;
  bool help = false;

  bool Has(const std::string& name) const { return flags.count(name) > 0 || values.count(name) > 0; }
  std::optional<std::string> Value(const std::string& name) const;
};

ParsedArgs ParseArgs(std::span<const std::string> args, std::initializer_list<OptionSpec> options);

// "720x480" -> {720, 480}; throws UsageError naming the option otherwise.
std::pair<int, int> ParseSize(const std::string& text, const std::string& option);
// A whole decimal number within [low, high]; throws UsageError otherwise.
long long ParseIntOption(const std::string& text, const std::string& option, long long low, long long high);
// A decimal number greater than low and at most high; throws UsageError otherwise.
double ParseRealOption(const std::string& text, const std::string& option, double low, double high);

}  // namespace sf::cli
