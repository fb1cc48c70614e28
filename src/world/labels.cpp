#include "world/labels.h"

#include <array>

#include "world/i18n.h"
#include "world/text.h"

namespace polmina {

std::u16string classLabelMain(int catClass) {
  static const std::array<const char16_t*, 10> labels = {
      N_(u"Sクラス"), N_(u"Aクラス"), N_(u"Bクラス"), N_(u"Cクラス"), N_(u"Dクラス"),
      N_(u"700万下クラス"), N_(u"200万下クラス"), N_(u"70万下クラス"), N_(u"未勝利クラス"), N_(u"未勝利クラス")};
  if (catClass < 0 || catClass > 9) return {};
  return tr(labels[catClass]);
}

std::u16string classLabelRecord(int catClass) {
  static const std::array<const char16_t*, 11> labels = {
      N_(u"ＳＳクラス"), N_(u"Ｓクラス"), N_(u"Ａクラス"), N_(u"Ｂクラス"), N_(u"Ｃクラス"), N_(u"Ｄクラス"),
      N_(u"700万下クラス"), N_(u"200万下クラス"), N_(u"70万下クラス"), N_(u"未勝利クラス"), N_(u"新猫クラス")};
  if (catClass < -1 || catClass > 9) return {};
  return tr(labels[catClass + 1]);
}

std::u16string breedName(int breed) {
  static const std::array<const char16_t*, 11> names = {
      N_(u"トラ"), N_(u"チンチラ"), N_(u"シャム"), N_(u"ロシアン"), N_(u"アビシニアン"), N_(u"ヒマラヤン"),
      N_(u"キジトラ"), N_(u"ミケ"), N_(u"クロ"), N_(u"アメショー"), N_(u"フメイ")};
  if (breed < 0 || breed > 10) return {};
  return tr(names[breed]);
}

std::u16string growthTypeName(int growthType) {
  static const std::array<const char16_t*, 4> names = {N_(u"早熟"), N_(u"普通"), N_(u"晩成"), N_(u"強靭")};
  if (growthType < 1 || growthType > 4) return {};
  return tr(names[growthType - 1]);
}

std::u16string sexLabel(int sex) { return tr(sex == 0 ? N_(u"男の子/") : N_(u"女の子/")); }

std::u16string placeName(int place) {
  static const std::array<const char16_t*, 12> names = {
      N_(u"1着"), N_(u"2着"), N_(u"3着"), N_(u"4着"),  N_(u"5着"),  N_(u"6着"),
      N_(u"7着"), N_(u"8着"), N_(u"9着"), N_(u"10着"), N_(u"11着"), N_(u"12着")};
  if (place < 1 || place > 12) return trf(u"{n}着", {{u"n", num(place)}});
  return tr(names[static_cast<size_t>(place - 1)]);
}

std::u16string yenText(int64_t man) {
  const std::u16string digits = num(man < 0 ? -man : man) + u"0000";
  std::u16string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += u',';
    out += digits[i];
  }
  return man < 0 ? u"-" + out : (man == 0 ? std::u16string(u"0") : out);
}

std::u16string counted(int n, const char16_t* text) {
  return fill(n == 1 ? trc(u"one", text) : tr(text), {{u"n", num(n)}});
}

namespace {

constexpr const char16_t* kStarts = N_(u"{n}戦");
constexpr const char16_t* kWins = N_(u"{n}勝");
[[maybe_unused]] constexpr const char16_t* kOnes[] = {NC_(u"one", u"{n}戦"), NC_(u"one", u"{n}勝")};

}  // namespace

std::u16string runsCounted(int starts) { return counted(starts, kStarts); }
std::u16string winsCounted(int wins) { return counted(wins, kWins); }

std::u16string recordCounts(int starts, int wins) {
  return trf(u"{starts}戦{wins}勝", {{u"starts", num(starts)},
                                     {u"wins", num(wins)},
                                     {u"runs", runsCounted(starts)},
                                     {u"won", winsCounted(wins)}});
}

std::u16string shownPlacingCaption(std::u16string_view caption) {
  for (const char16_t* placing : {N_(u"1着 {cat}"), N_(u"2着 {cat}")}) {
    const std::u16string_view head = std::u16string_view(placing).substr(0, 3);
    if (caption.substr(0, 3) == head) return trf(placing, {{u"cat", caption.substr(3)}});
  }
  return tr(caption);
}

}  // namespace polmina
