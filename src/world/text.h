#pragma once
// Game text is UTF-16: one character is one code unit, which is how names, columns and paddings count.
#include <cstdint>
#include <string>
#include <string_view>

#include "world/i18n.h"  // tr(): game text as shown

namespace polmina {

// Removes leading and trailing U+0020 only (full-width spaces stay).
std::u16string trim(std::u16string_view s);
// The same, as a view into `s` (for comparisons that need no copy).
std::u16string_view trimView(std::u16string_view s);
// Left-aligned, padded with U+0020 or cut to exactly `width` characters.
std::u16string padRight(std::u16string_view s, size_t width);
// Right-aligned in `width` characters (longer text is kept whole).
std::u16string padLeft(std::u16string_view s, size_t width);
// Decimal digits of a number as game text.
std::u16string num(int64_t v);

// Conversions for the terminal and for files that hold UTF-8.
std::string toUtf8(std::u16string_view s);
std::u16string fromUtf8(std::string_view s);

}  // namespace polmina
