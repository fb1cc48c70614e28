#pragma once
// The katakana fragments that the names of new computer cats are made of.
#include <span>
#include <string_view>

namespace polmina::names {

// 132 words; 120..126 are feminine, 127..131 masculine.
std::span<const std::u16string_view> frontWords();
// 109 puns on ニャ and ミャ; the last one is never drawn.
std::span<const std::u16string_view> frontPuns();
// 51 puns on ニャ; the last one is never drawn.
std::span<const std::u16string_view> backPuns();
// 70 words; 54..60 are feminine, 61..68 masculine, the last one is empty and never drawn.
std::span<const std::u16string_view> backWords();
// "ザ" and "オブ".
std::span<const std::u16string_view> joiners();

inline constexpr int FrontFeminineFirst = 120;
inline constexpr int FrontMasculineFirst = 127;
inline constexpr int BackFeminineFirst = 54;
inline constexpr int BackMasculineFirst = 61;

// Two legendary names (a front word and a back pun each): a new cat that draws one is a champion.
inline constexpr std::u16string_view ChampionNames[2] = {u"ブリザードニャンコ", u"シャドウニャルソン"};
// A back word that makes a fast new cat when it stands at characters 4..7 of the name, and the one
// that does so at characters 4..8.
inline constexpr std::u16string_view LuckyWord = u"ミラクル";
inline constexpr std::u16string_view PrincessWord = u"プリンセス";

}  // namespace polmina::names
