#include "game/career.h"

#include <array>
#include <numeric>

#include "world/labels.h"
#include "world/text.h"

namespace polmina {

namespace {

constexpr const char16_t* kNewLine = u"\r\n";
constexpr std::array<const char16_t*, 4> kPlacings = {u"1着", u"2着", u"3着", u"着外"};

void appendSRaces(std::u16string& t, const CatRecord& c) {
  static constexpr std::array<const char16_t*, 3> races = {u"　『猫皇杯』 ", u"　『猫聖杯』 ",
                                                           u"　『天猫杯』 "};
  t += u"Ｓクラス戦　戦績 ";
  t += kNewLine;
  bool any = false;
  for (int placing = 0; placing < 4; ++placing) {
    for (int race = 0; race < 3; ++race) {
      const int n = c.results[sRaceCounter(race, placing)];
      if (n == 0) continue;
      t += races[race] + std::u16string(kPlacings[placing]) + num(n) + u"回" + kNewLine;
      any = true;
    }
  }
  if (!any) t += std::u16string(u"　無し") + kNewLine;
}

// One class's block: its heading and one line of the wins, seconds, thirds and unplaced runs it has.
void appendClassBlock(std::u16string& t, const char16_t* heading, const std::array<int, 4>& counts) {
  static constexpr std::array<const char16_t*, 4> parts = {u"　優勝 ", u"　 ２着 ", u"　 ３着 ", u"　着外 "};
  t += heading;
  t += kNewLine;
  if (std::accumulate(counts.begin(), counts.end(), 0) < 1) {
    t += std::u16string(u"　無し") + kNewLine;
    return;
  }
  for (size_t p = 0; p < counts.size(); ++p) {
    if (counts[p] <= 0) continue;
    t += parts[p] + num(counts[p]) + (p < 3 ? u"回　" : u"回");
  }
  t += kNewLine;
}

// The A class sums the counters of its big races 0..4 for each placing.
std::array<int, 4> aClassCounts(const CatRecord& c) {
  std::array<int, 4> counts{};
  for (int p = 0; p < 4; ++p)
    for (int b = 0; b < 5; ++b) counts[p] += c.results[aRaceCounter(b, p)];
  return counts;
}

std::array<int, 4> blockCounts(const CatRecord& c, CounterBlock block) {
  std::array<int, 4> counts{};
  for (int p = 0; p < 4; ++p) counts[static_cast<size_t>(p)] = c.results[classCounter(block, p)];
  return counts;
}

void appendEnding(std::u16string& t, const GameState& s, const CatRecord& c, CareerView view) {
  switch (view) {
    case CareerView::Farewell:
      t += kNewLine + (u"以上が" + trim(c.name)) + u"の全成績でした。" + kNewLine;
      break;
    case CareerView::Active:
      t += u"本年度賞金　" + num(c.yearPrize) + u"万" + kNewLine + kNewLine;
      t += std::u16string(u"次出走予定　") + kNewLine;
      if (c.entryRace == -1)
        t += u"　　　未　　　　定　　　";
      else
        t += slotAt(s, c.entryRace).raceName + kNewLine;
      break;
    case CareerView::Retired:
      break;
  }
}

}  // namespace

std::u16string careerRecordText(const GameState& s, const CatRecord& c, CareerView view) {
  std::u16string t = u"称号　" + s.titleNames.at(c.title) + kNewLine + kNewLine;
  t += u"階級　" + classLabelRecord(c.catClass);
  if (const std::u16string breed = breedName(c.breed); !breed.empty()) t += u"　　種別　" + breed + kNewLine;
  t += kNewLine;
  appendSRaces(t, c);
  appendClassBlock(t, u"Ａクラス戦　戦績 ", aClassCounts(c));
  appendClassBlock(t, u"Ｂクラス戦　戦績 ", blockCounts(c, CounterBlock::B));
  appendClassBlock(t, u"Ｃクラス戦　戦績 ", blockCounts(c, CounterBlock::C));
  appendClassBlock(t, u"Ｄクラス戦　戦績 ", blockCounts(c, CounterBlock::D));
  t += kNewLine + (u"対戦戦績　　" + num(c.starts)) + u"戦" + num(c.wins) + u"勝" + kNewLine;
  t += u"総獲得賞金　" + num(c.totalPrize) + u"万" + kNewLine;
  appendEnding(t, s, c, view);
  return t;
}

void showCareerRecord(Game& g, int index, CareerView view) {
  if (index == -1) return;
  GameState& s = g.s;
  const CatRecord& c = view == CareerView::Retired ? retiredAt(s, index) : catAt(s, index);
  g.ui.tell(c.name, careerRecordText(s, c, view));
}

}  // namespace polmina
