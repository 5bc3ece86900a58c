#include "apps/script/script_lexer.h"

namespace dnovar::script {

namespace {
constexpr std::size_t kExcerptCharacters = 64;
}  // namespace

SyntaxError::SyntaxError(std::string_view what, std::string_view text)
    : std::runtime_error(std::string(what) + ": " + excerpt(text)) {}

std::string excerpt(std::string_view text) {
  // Counted in characters and cut before a character's first byte, so the excerpt stays UTF-8.
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool starts_character = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    if (starts_character && characters++ == kExcerptCharacters)
      return std::string(text.substr(0, i)) + "\u2026";
  }
  return std::string(text);
}

std::vector<Token> split_line(std::string_view line) {
  std::vector<Token> tokens;
  std::size_t pos = 0;
  while (pos < line.size()) {
    if (line[pos] == ' ' || line[pos] == '\t' || line[pos] == '\r') {
      ++pos;
      continue;
    }
    Token token;
    while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t' && line[pos] != '\r') {
      if (line[pos] != '"') {
        token.text.push_back(line[pos++]);
        continue;
      }
      token.quoted = true;
      ++pos;
      bool closed = false;
      while (pos < line.size()) {
        const char c = line[pos++];
        if (c == '"') {
          closed = true;
          break;
        }
        if (c != '\\') {
          token.text.push_back(c);
          continue;
        }
        if (pos >= line.size()) break;
        switch (line[pos++]) {
          case '"':
            token.text.push_back('"');
            break;
          case '\\':
            token.text.push_back('\\');
            break;
          case 'r':
            token.text.push_back('\r');
            break;
          case 'n':
            token.text.push_back('\n');
            break;
          case 't':
            token.text.push_back('\t');
            break;
          default:
            throw SyntaxError("unknown escape in string");
        }
      }
      if (!closed) throw SyntaxError("unterminated string");
    }
    tokens.push_back(std::move(token));
  }
  return tokens;
}

std::string quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        out.push_back(c);
    }
  }
  return out + "\"";
}

}  // namespace dnovar::script
