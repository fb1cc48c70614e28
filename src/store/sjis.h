#pragma once
// Shift-JIS (code page 932) text, the encoding of names in the data files. Only the store uses it;
// the sort keys use the code of a name's first character.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace polmina {

// The Shift-JIS bytes of the text, or nothing when a character has no Shift-JIS form.
std::optional<std::string> toSjis(std::u16string_view text);
// Decodes Shift-JIS bytes; a byte sequence that is not valid Shift-JIS becomes U+FFFD.
std::u16string fromSjis(std::string_view bytes);
// True when every character survives a trip to Shift-JIS and back unchanged.
bool sjisRoundTrips(std::u16string_view text);
// Code of one character in Shift-JIS as a signed 16-bit value: 0..255 for a single-byte character,
// the two-byte code minus 65536 for a double-byte one; 0x3F ('?') when it has no Shift-JIS form.
int16_t sjisCode(char16_t c);

}  // namespace polmina
