// A compile must never write over a file it reads: one of the list's pictures,
// the sound track, the background picture, or the project the list came from.
//   if (const auto clash = OutputClash(job)) reporter.Error(*clash);
#pragma once

#include <optional>
#include <string>

#include "compile/compile_engine.h"

namespace sf {

// The message naming what the output file would replace, or nullopt when it
// replaces none of them. Files are compared as files (links and different
// spellings of one path are the same file), and only files that exist count.
std::optional<std::string> OutputClash(const CompileJob& job);

}  // namespace sf
