// Texts of every shape the platform's text conversions read (numbers with separators, signs,
// exponents, hexadecimal and octal; dates in short, long and ISO forms with times and month
// names; booleans) and of shapes they refuse, drawn from a seeded generator so that every run
// checks the same corpus.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/locale.h"

namespace dnovar::testing {

std::vector<std::string> conversion_corpus(Locale locale, std::uint32_t seed, std::size_t count);

}  // namespace dnovar::testing
