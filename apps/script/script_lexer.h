// Splits one script line into tokens: words separated by spaces, and strings in double quotes
// with the escapes \" \\ \r \n \t. A token may carry a quoted string glued to a prefix
// (KEY="value"); `quoted` tells whether any part of it was quoted.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dnovar::script {

struct Token {
  std::string text;
  bool quoted = false;
};

// A line that cannot be read (an unterminated string, an unknown escape).
class SyntaxError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  // "WHAT: TEXT", with no more of the script's TEXT than `excerpt` keeps.
  SyntaxError(std::string_view what, std::string_view text);
};

// Script text as a message shows it: the first 64 characters, then "…" when there are more (a
// script's token may be megabytes long).
std::string excerpt(std::string_view text);

std::vector<Token> split_line(std::string_view line);

// The text of a string as a script writes it: quoted, with the same escapes.
std::string quote(std::string_view text);

}  // namespace dnovar::script
