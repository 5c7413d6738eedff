#include "avi/avi_format.h"

namespace sf {

std::string StreamChunkId(int stream, std::string_view kind) {
  std::string id = {static_cast<char>('0' + stream / 10 % 10), static_cast<char>('0' + stream % 10)};
  id += kind;
  return id;
}

int StreamOfChunkId(std::string_view id) {
  if (id.size() != 4) return -1;
  const auto digit = [](char c) { return c >= '0' && c <= '9' ? c - '0' : -1; };
  const int tens = digit(id[0]);
  const int ones = digit(id[1]);
  if (tens < 0 || ones < 0) return -1;
  return tens * 10 + ones;
}

}  // namespace sf
