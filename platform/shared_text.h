// One copy of a text that many objects hold alike, kept for the whole program: the description a
// screen reader reads for a widget is one of a few fixed texts, repeated by every day cell of
// every instance.
#pragma once

#include <string>
#include <string_view>

namespace dnovar {

// The program's copy of `text`, or null once the table holds its limit of texts (a caller that
// makes up ever new texts keeps its own copies then). Safe from any thread.
const std::string* shared_text(std::string_view text);

}  // namespace dnovar
