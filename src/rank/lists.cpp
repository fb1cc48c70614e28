#include "rank/lists.h"

#include <span>

#include "rank/sort.h"
#include "world/i18n.h"
#include "world/labels.h"
#include "world/text.h"

namespace polmina {

namespace {

// The columns are counted in half-width characters of the fixed-pitch font: a translation of a piece of
// a row keeps its width.
constexpr char16_t kActiveHeading[] = N_(u"　名　　　　前　      性別　  歳　 体調");
constexpr char16_t kRetiredHeading[] = N_(u"名　　前　　　        性別　  戦　　績");

// The age column: "1 yr", "2 yrs" in English.
constexpr const char16_t* kAge = N_(u"{n}歳   ");
[[maybe_unused]] constexpr const char16_t* kAgeOne = NC_(u"one", u"{n}歳   ");

constexpr size_t kNameColumnWidth = 22;  // in half-width characters

// The name column: the name as shown, filled with full-width spaces to 11 characters (a blank name
// still gets one, so the columns after it do not slide left). A name in Latin letters is half-width:
// it is filled to the same width, the last space a half-width one where its length is odd.
std::u16string nameColumn(const CatRecord& c) {
  std::u16string name = shownName(c);
  if (name.empty()) return u"　";
  if (currentLanguage() == Language::Japanese) {
    while (name.size() < 11) name += u'　';
    return name;
  }
  size_t width = 0;
  for (char16_t ch : name) width += ch < 0x80 ? 1 : 2;
  if (width % 2 != 0 && width < kNameColumnWidth) {
    name += u' ';
    ++width;
  }
  for (; width < kNameColumnWidth; width += 2) name += u'　';
  return name;
}

std::u16string conditionWord(int condition) {
  if (condition >= 100) return tr(u"最良");
  if (condition >= 65) return tr(u"　良");
  if (condition >= 30) return trc(u"condition", u"普通");
  if (condition >= 1) return tr(u"　悪");
  return tr(u"最悪");
}

}  // namespace

std::u16string activeCatRow(const CatRecord& c) {
  std::u16string row = nameColumn(c);
  row += tr(c.sex == 0 ? N_(u"男猫  ") : N_(u"女猫  "));
  if (c.age < 10) row += u' ';
  row += counted(c.age, kAge);
  row += conditionWord(c.condition);
  return row;
}

std::u16string retiredCatRow(const CatRecord& c) {
  std::u16string row = nameColumn(c);
  row += tr(c.sex != 0 ? N_(u"女猫 　 ") : N_(u"男猫 　 "));
  if (c.title >= 1 && c.title <= 16) {
    row += tr(u"殿堂入り");
  } else {
    row += trf(u"{starts}戦 {wins}勝　", {{u"starts", num(c.starts)}, {u"wins", num(c.wins)}});
  }
  return row;
}

void sortActiveCats(GameState& s, int order) {
  const CatTable cats(s.cats);
  const int last = s.catCount - 1;
  sortByName(cats, false, 0, last);
  findPlayerCat(s);
  // In week 1 of month 1 every year prize has just been cleared, so that order stays by name.
  const bool yearJustStarted = s.month == 1 && s.week == 1;
  bool ranked = true;
  if (order == OrderTotalPrize) {
    sortByTotalPrize(cats, false, 0, last);
  } else if (order == OrderYearPrize && !yearJustStarted) {
    sortByYearPrize(cats, false, 0, last);
  } else if (order == OrderAge) {
    sortByAge(cats, false, 0, last);
  } else {
    ranked = false;
  }
  if (ranked) {
    reverseRange(cats, last);
    findPlayerCat(s);
  }
}

std::vector<std::u16string> listActiveCats(GameState& s, int order) {
  sortActiveCats(s, order);
  std::vector<std::u16string> rows{tr(kActiveHeading)};
  rows.reserve(static_cast<size_t>(s.catCount) + 1);
  for (int i = 0; i < s.catCount; ++i) rows.push_back(activeCatRow(catAt(s, i)));
  return rows;
}

bool sortRetiredCats(GameState& s, int order) {
  const CatTable hall(s.retiredCats);
  const int last = s.retiredCount - 1;
  sortByName(hall, false, 0, last);
  findPlayerCat(s);
  // A hall that has never been set up (count -1) is as empty as one with no entries.
  if (s.retiredCount <= 0) return false;
  if (order == OrderTotalPrize) {
    sortByTotalPrize(hall, false, 0, last);
    reverseRange(hall, last);
  }
  findPlayerCat(s);
  return true;
}

std::vector<std::u16string> listRetiredCats(GameState& s, int order) {
  if (!sortRetiredCats(s, order)) return {};
  std::vector<std::u16string> rows{tr(kRetiredHeading)};
  for (int i = 0; i < s.retiredCount; ++i) rows.push_back(retiredCatRow(retiredAt(s, i)));
  return rows;
}

void rebuildCatList(GameState& s) {
  if (s.listShowsActive) {
    sortActiveCats(s, s.listSortOrder);
  } else {
    sortRetiredCats(s, s.listSortOrder);
  }
}

}  // namespace polmina
