// The one function every fuzz target defines. libFuzzer calls it with inputs it
// makes up; the replay program (replay_main.cpp) calls it with the files of a
// corpus, so that the seeds and every crasher found run as ordinary tests.
// A target returns 0 and lets nothing escape but a crash: an exception that is
// the reader's refusal is caught inside it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace sf::fuzz {

inline std::span<const std::uint8_t> Bytes(const std::uint8_t* data, std::size_t size) { return {data, size}; }

// Writes the input to a file of this process (in /dev/shm when it exists) with
// the given extension, for the readers that open files themselves; returns its path.
std::string InputFile(std::span<const std::uint8_t> bytes, const std::string& extension);

}  // namespace sf::fuzz
