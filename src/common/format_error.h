// Failures found in the bytes of a file we read, or in a text a person typed.
// The text is the message a person sees; it is shown where the failure is caught,
// never re-worded on its way up.
//   throw FormatError("BMP data offset is beyond the end of the file");
#pragma once

#include <stdexcept>

namespace sf {

class FormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace sf
