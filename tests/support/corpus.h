// The folder of real files made by other programs (../shared/corpus). Tests that
// need it call CorpusPath and skip when the folder is absent.
//   const auto path = CorpusPath("bmp/bmpsuite/g/pal8.bmp");
//   if (!path) GTEST_SKIP() << "corpus not present";
#pragma once

#include <optional>
#include <string>

namespace sf::test {

// The corpus root, or nullopt when it is not there.
std::optional<std::string> CorpusRoot();
// A file below the root, or nullopt when the root or the file is not there.
std::optional<std::string> CorpusPath(const std::string& relative);

// The path of the slideforge binary (for tests that run the command line).
std::string SlideforgeBinary();
// Whether a program is on PATH.
bool HaveProgram(const std::string& name);
// Runs a shell command; returns its exit status and fills out with stdout.
int RunCommand(const std::string& command, std::string* out = nullptr);
// A fresh empty folder below the system's temporary folder.
std::string MakeTempDir();

}  // namespace sf::test
