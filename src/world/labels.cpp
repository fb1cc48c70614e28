#include "world/labels.h"

#include <array>

namespace polmina {

std::u16string classLabelMain(int catClass) {
  static const std::array<const char16_t*, 10> labels = {
      u"Sクラス", u"Aクラス", u"Bクラス", u"Cクラス", u"Dクラス",
      u"700万下クラス", u"200万下クラス", u"70万下クラス", u"未勝利クラス", u"未勝利クラス"};
  if (catClass < 0 || catClass > 9) return {};
  return labels[catClass];
}

std::u16string classLabelRecord(int catClass) {
  static const std::array<const char16_t*, 11> labels = {
      u"ＳＳクラス", u"Ｓクラス", u"Ａクラス", u"Ｂクラス", u"Ｃクラス", u"Ｄクラス",
      u"700万下クラス", u"200万下クラス", u"70万下クラス", u"未勝利クラス", u"新猫クラス"};
  if (catClass < -1 || catClass > 9) return {};
  return labels[catClass + 1];
}

std::u16string breedName(int breed) {
  static const std::array<const char16_t*, 11> names = {
      u"トラ", u"チンチラ", u"シャム", u"ロシアン", u"アビシニアン", u"ヒマラヤン",
      u"キジトラ", u"ミケ", u"クロ", u"アメショー", u"フメイ"};
  if (breed < 0 || breed > 10) return {};
  return names[breed];
}

std::u16string growthTypeName(int growthType) {
  static const std::array<const char16_t*, 4> names = {u"早熟", u"普通", u"晩成", u"強靭"};
  if (growthType < 1 || growthType > 4) return {};
  return names[growthType - 1];
}

std::u16string sexLabel(int sex) { return sex == 0 ? u"男の子/" : u"女の子/"; }

}  // namespace polmina
