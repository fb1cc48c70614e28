#pragma once
// Names as an English reader can say them: katakana (and hiragana) in Latin letters by one Hepburn
// table, full-width Latin and digits as plain ones. For the eye and the ear only: what is stored keeps
// the name as it was typed or drawn.
#include <string>
#include <string_view>

namespace polmina {

// "マドンナニャスケ" → "Madonnanyasuke", "Ｔａｍａ" → "Tama"; each word begins with a capital. A
// character of neither kind (a kanji) stays as it is.
std::u16string romanized(std::u16string_view name);

// A cat's or a player's name as the shown language writes it: romanized in English, as it is in Japanese.
std::u16string shownName(std::u16string_view name);

}  // namespace polmina
