#pragma once
// Words the windows show for codes of the cat record.
#include <cstdint>
#include <string>
#include <string_view>

#include "world/i18n.h"

namespace polmina {

// Main window: "Sクラス" … "未勝利クラス"; empty for SS (the label is left as it was).
std::u16string classLabelMain(int catClass);
// Record view: "ＳＳクラス" … "新猫クラス".
std::u16string classLabelRecord(int catClass);
// "トラ" … "フメイ"; empty outside 0..10.
std::u16string breedName(int breed);
// "早熟", "普通", "晩成", "強靭"; empty for worn out (5) and anything else.
std::u16string growthTypeName(int growthType);
// "男の子/" or "女の子/".
std::u16string sexLabel(int sex);
// "1着" … "12着": a finishing place as shown (a translation may need a word of its own for each).
std::u16string placeName(int place);
// An amount counted in 万 (10,000 yen) written out in yen with thousands separators, "12,340,000": the
// {yen} of a translated text whose Japanese shows {n}万.
std::u16string yenText(int64_t man);

// A count with its word, where the language tells one from many ("1 run", "2 runs"): `text` with {n},
// translated in the context "one" for 1.
std::u16string counted(int n, const char16_t* text);
// A record's two counts, "3戦" and "1勝" ("3 runs", "1 win"): the {runs} and {won} that a record's
// sentence in another language writes where the Japanese has {starts}戦 and {wins}勝.
std::u16string runsCounted(int starts);
std::u16string winsCounted(int wins);
// "3戦1勝": a record as the tables write it.
std::u16string recordCounts(int starts, int wins);

// The champions panel's caption of a race not run yet this year.
inline constexpr const char16_t* UndecidedCaption = N_(u"未　定");
// The caption of a race run this year whose winner the save does not hold (and the history neither).
inline constexpr const char16_t* UnrecordedCaption = N_(u"記録なし");

// A champion's caption as the save keeps it ("1着 " or "2着 " and the name, or "未　定"), as shown.
std::u16string shownPlacingCaption(std::u16string_view caption);

}  // namespace polmina
