// The subcommands of the slideforge binary. Each takes the words after its name
// and returns the exit status: 0 success, 1 the job failed (the messages went to
// stderr), 2 a usage error.
#pragma once

#include <span>
#include <string>

namespace sf::cli {

using CommandFunction = int (*)(std::span<const std::string> args);

struct Command {
  const char* name;
  const char* summary;
  CommandFunction run;
};

// The table of subcommands, in the order `slideforge --help` lists them.
std::span<const Command> Commands();

// Runs a whole command line (the words after the program name).
int Run(std::span<const std::string> words);

// A command line of one word ending in ".sfg" (any case) that names no
// subcommand: the desktop application starts with that project opened.
bool IsProjectToOpen(std::span<const std::string> words);

int RunCompileCommand(std::span<const std::string> args);
int RunMakeCommand(std::span<const std::string> args);
int RunInfoCommand(std::span<const std::string> args);
int RunFitCommand(std::span<const std::string> args);
int RunEffectsCommand(std::span<const std::string> args);
int RunConvertCommand(std::span<const std::string> args);
int RunExtractAviCommand(std::span<const std::string> args);
int RunExtractGifCommand(std::span<const std::string> args);
int RunGifInfoCommand(std::span<const std::string> args);
int RunBitrateCommand(std::span<const std::string> args);

}  // namespace sf::cli
