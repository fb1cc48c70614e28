#include "rank/sort.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "world/text.h"

namespace polmina {
namespace {

CatRecord cat(const std::u16string& name, int32_t total = 0, int32_t year = 0, int age = 1,
              int32_t points = 0) {
  CatRecord c;
  c.name = padRight(name, CatNameLength);
  c.totalPrize = total;
  c.yearPrize = year;
  c.age = static_cast<uint8_t>(age);
  c.points = points;
  return c;
}

std::vector<std::u16string> namesOf(const std::vector<CatRecord>& t) {
  std::vector<std::u16string> r;
  for (const auto& c : t) r.push_back(trim(c.name));
  return r;
}

TEST(SortKeys, JoinTheNumberWithTheShiftJisCodeOfTheInitial) {
  // ア is 0x8341, −31935 as a signed 16-bit code: 100000 + 31935 follows the number.
  EXPECT_DOUBLE_EQ(totalPrizeKey(cat(u"アイ", 200)), 200131935.0);
  EXPECT_DOUBLE_EQ(yearPrizeKey(cat(u"アイ", 0, 0)), 131935.0);
  // A single-byte initial gives five digits only: 'A' is 65.
  EXPECT_DOUBLE_EQ(totalPrizeKey(cat(u"Abc", 1000)), 100099935.0);
  EXPECT_DOUBLE_EQ(totalPrizeKey(cat(u"ｱ", 5)), 599823.0);  // half-width katakana is one byte, 0xB1
  EXPECT_DOUBLE_EQ(totalPrizeKey(cat(u"アイ", -5)), -5131935.0);
  EXPECT_EQ(ageKey(cat(u"アイ", 0, 0, 12)), 12131935);
  EXPECT_EQ(ageAndYearPrizeKey(cat(u"x", 0, 42, 3)), 9700042);
  EXPECT_EQ(ageAndYearPrizeKey(cat(u"x", 0, 99999, 15)), 8599999);
}

TEST(SortProcedure, EqualKeysComeOutInTheOrderOfThePartitionScheme) {
  // Middle pivot, scans stop on equal keys and swap: three equal records end up reversed.
  std::vector<CatRecord> t{cat(u"A", 0, 0, 1, 5), cat(u"B", 0, 0, 1, 5), cat(u"C", 0, 0, 1, 5)};
  sortByPoints(t, false, 0, 2);
  EXPECT_EQ(namesOf(t), (std::vector<std::u16string>{u"C", u"B", u"A"}));

  // Traced by hand: pivot 3 (index 2); swaps (0,4) then (1,2); left part 0..1, right part 3..4.
  std::vector<CatRecord> u{cat(u"p", 0, 0, 1, 4), cat(u"q", 0, 0, 1, 3), cat(u"r", 0, 0, 1, 3),
                           cat(u"s", 0, 0, 1, 5), cat(u"t", 0, 0, 1, 1)};
  sortByPoints(u, false, 0, 4);
  EXPECT_EQ(namesOf(u), (std::vector<std::u16string>{u"t", u"r", u"q", u"p", u"s"}));
}

TEST(SortProcedure, OrdersEveryKeyBothWaysAndOnlyInsideTheRange) {
  std::mt19937 gen(7);
  std::vector<CatRecord> t;
  const std::u16string initials = u"アイウエオカキAbZｱあ猫";
  for (int i = 0; i < 300; ++i) {
    CatRecord c = cat(std::u16string(1, initials[gen() % initials.size()]) + num(i), int32_t(gen() % 50) * 10,
                      int32_t(gen() % 40) * 10, 1 + int(gen() % 15), int32_t(gen() % 30));
    c.speed = int32_t(gen() % 100);
    t.push_back(c);
  }
  const CatRecord first = t.front(), last = t.back();
  for (bool desc : {false, true}) {
    auto check = [&](auto sorter, auto key) {
      sorter(t, desc, 1, 298);
      for (int i = 2; i <= 298; ++i) {
        if (desc)
          EXPECT_GE(key(t[i - 1]), key(t[i])) << i;
        else
          EXPECT_LE(key(t[i - 1]), key(t[i])) << i;
      }
      EXPECT_EQ(t.front(), first);
      EXPECT_EQ(t.back(), last);
    };
    check(sortByName, [](const CatRecord& c) { return c.name; });
    check(sortByTotalPrize, totalPrizeKey);
    check(sortByYearPrize, yearPrizeKey);
    check(sortByAge, ageKey);
    check(sortByPoints, [](const CatRecord& c) { return c.points; });
    check(sortBySpeed, [](const CatRecord& c) { return c.speed; });
    check(sortByTotalPrizeOnly, [](const CatRecord& c) { return c.totalPrize; });
    check(sortByAgeAndYearPrize, ageAndYearPrizeKey);
  }
}

TEST(SortProcedure, NamesCompareByCharacterCodeWithTheirTrailingSpaces) {
  std::vector<CatRecord> t{cat(u"アイウ"), cat(u"アイ"), cat(u"イ"), cat(u"あ"), cat(u"Z")};
  sortByName(t, false, 0, 4);
  EXPECT_EQ(namesOf(t), (std::vector<std::u16string>{u"Z", u"あ", u"アイ", u"アイウ", u"イ"}));
}

TEST(SortProcedure, EmptyRangesLeaveTheTableAlone) {
  std::vector<CatRecord> t{cat(u"B", 0, 0, 1, 2), cat(u"A", 0, 0, 1, 1)};
  const auto before = t;
  sortByPoints(t, false, 1, 1);
  sortByPoints(t, false, 1, 0);
  sortByPoints(t, false, 0, -1);
  EXPECT_EQ(t, before);
  EXPECT_THROW(sortByPoints(t, false, 0, 2), std::out_of_range);
}

TEST(SortRankings, EqualPrizesRankTheLowerInitialCodeFirstWhenReversed) {
  std::vector<CatRecord> t{cat(u"イ", 300), cat(u"ア", 300), cat(u"ウ", 300), cat(u"エ", 500)};
  sortByTotalPrize(t, false, 0, 3);
  reverseRange(t, 3);
  EXPECT_EQ(namesOf(t), (std::vector<std::u16string>{u"エ", u"ア", u"イ", u"ウ"}));
}

TEST(SortRankings, SingleByteInitialRanksAsIfItsPrizeWereATenth) {
  std::vector<CatRecord> t{cat(u"Tom", 1000), cat(u"ア", 200), cat(u"イ", 90)};
  sortByTotalPrize(t, false, 0, 2);
  reverseRange(t, 2);
  EXPECT_EQ(namesOf(t), (std::vector<std::u16string>{u"ア", u"Tom", u"イ"}));
}

TEST(SortRankings, AgeAndYearPrizePutsTheOldestAndPoorestFirst) {
  std::vector<CatRecord> t{cat(u"a", 0, 50, 3), cat(u"b", 0, 10, 9), cat(u"c", 0, 900, 9),
                           cat(u"d", 0, 0, 1)};
  sortByAgeAndYearPrize(t, false, 0, 3);
  EXPECT_EQ(namesOf(t), (std::vector<std::u16string>{u"b", u"c", u"a", u"d"}));
}

TEST(ReverseRange, ReversesEntriesZeroToN) {
  std::vector<CatRecord> t{cat(u"a"), cat(u"b"), cat(u"c"), cat(u"d"), cat(u"e")};
  reverseRange(t, 3);
  EXPECT_EQ(namesOf(t), (std::vector<std::u16string>{u"d", u"c", u"b", u"a", u"e"}));
  reverseRange(t, 4);
  EXPECT_EQ(namesOf(t), (std::vector<std::u16string>{u"e", u"a", u"b", u"c", u"d"}));
  reverseRange(t, 0);
  reverseRange(t, -1);
  EXPECT_EQ(trim(t[0].name), u"e");
}

}  // namespace
}  // namespace polmina
