// A second, plain reading of what the closer must make of the handle file,
// written apart from the closer's code so that the fuzzer can compare the two.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace reference {

// The first line as the host's C library reads it: bytes up to and including
// the first line feed, at most 127, and only up to the first NUL among them.
std::string FirstLine(const std::uint8_t* data, std::size_t size);

// strtoul with base 0 in 32 bits, digit by digit with a wide accumulator.
std::uint32_t Convert(const std::string& text);

} // namespace reference
