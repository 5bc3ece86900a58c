// A caption's access key, and the caption as it is shown and read.
//
// '&' marks the character after it as the access key and is not shown; "&&" shows one '&' and
// marks nothing; a '&' at the end shows nothing and marks nothing. The first mark counts, and only
// an ASCII letter or digit is a key (the keys a keyboard gives on every layout):
//   "&Dnes"    key 'd', shown "Dnes"
//   "A&&B"     no key,  shown "A&B"
//   "&&&Z"     key 'z', shown "&Z"
//   "&A&B"     key 'a', shown "AB"
//   "Tisk&"    no key,  shown "Tisk"
//   "&Čas"     no key,  shown "Čas"
#pragma once

#include <string>
#include <string_view>

namespace dnovar {

// The access key in lower case, or 0 when the caption marks none.
char access_key(std::string_view caption);

// The caption as the user sees it and a screen reader reads it: the marks taken out.
std::string shown_caption(std::string_view caption);

}  // namespace dnovar
