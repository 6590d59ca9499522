#pragma once

#include <string>
#include <string_view>

namespace Module1 {

// A name (or a text holding names) as it may be shown to a person: in a
// label, a box, a tooltip or on a terminal. Controls (C0, DEL, C1) become
// "\xHH" or "\uHHHH", and so do the characters that break or reorder a line
// (U+2028, U+2029, the bidirectional marks, embeddings, overrides and isolates);
// a byte that is not UTF-8 becomes "\xHH". The rest is kept, so the result
// is UTF-8 without a control: a line break, an escape sequence or a forged
// line cannot come through. Applied twice it changes nothing more.
std::string ShownName(std::string_view name);

}  // namespace Module1
