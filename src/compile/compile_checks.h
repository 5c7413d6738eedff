// What makes a compile refuse to start, checked before anything is asked or
// written: an output that is a folder or one of the files the compile reads
// (a picture of the list, the sound track, the background picture, the
// project), a frame rate no video can have, a row's display time that cannot
// be used, and a frame size an MP4 or WebM video cannot have.
//   if (const auto refusal = RefusalBeforeCompile(job)) reporter.Error(*refusal);
#pragma once

#include <optional>
#include <string>

#include "compile/compile_engine.h"

namespace sf {

// The highest frame rate an AVI stream header can state at the compile's time
// base of 100000 units a second (its rate is a 32-bit count of units).
inline constexpr double kMaxAviFramesPerSecond = 4294967295.0 / 100000.0;

// The highest frame rate of an MP4 or WebM video (WebM counts milliseconds).
inline constexpr double kMaxVideoFramesPerSecond = 1000.0;

// The message to show, or nullopt when the compile may start. Files are
// compared as files: links and other spellings of one path are the same file.
std::optional<std::string> RefusalBeforeCompile(const CompileJob& job);

}  // namespace sf
