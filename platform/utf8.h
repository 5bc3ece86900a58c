// UTF-8 from and to code points, with one rule for bytes that are no UTF-8, so that every backend
// and every reader of a script sees the same characters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dnovar {

// Decodes UTF-8 into code points. A byte that starts no valid sequence (a stray continuation
// byte, a cut or overlong sequence, a surrogate, a value beyond U+10FFFF) stands for the
// character of its value (0xFF is U+00FF).
std::vector<int> code_points(std::string_view text);

// The same characters as valid UTF-8: valid text is returned unchanged.
std::string valid_utf8(std::string_view text);

// A code point as UTF-8; nothing for a value that is no Unicode scalar.
std::string utf8_of(int code_point);

}  // namespace dnovar
