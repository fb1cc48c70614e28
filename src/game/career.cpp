#include "game/career.h"

#include <array>
#include <numeric>

#include "world/calendar.h"
#include "world/labels.h"
#include "world/romaji.h"
#include "world/text.h"

namespace polmina {

namespace {

constexpr const char16_t* kNewLine = u"\r\n";
constexpr std::array<const char16_t*, 4> kPlacings = {N_(u"1着{n}回"), N_(u"2着{n}回"), N_(u"3着{n}回"), N_(u"着外{n}回")};

void appendSRaces(std::u16string& t, const CatRecord& c) {
  static constexpr std::array<const char16_t*, 3> races = {N_(u"　『猫皇杯』 "), N_(u"　『猫聖杯』 "),
                                                           N_(u"　『天猫杯』 ")};
  t += tr(u"Ｓクラス戦　戦績 ");
  t += kNewLine;
  bool any = false;
  for (int placing = 0; placing < 4; ++placing) {
    for (int race = 0; race < 3; ++race) {
      const int n = c.results[sRaceCounter(race, placing)];
      if (n == 0) continue;
      t += tr(races[race]) + trf(kPlacings[placing], {{u"n", num(n)}}) + kNewLine;
      any = true;
    }
  }
  if (!any) t += tr(u"　無し") + kNewLine;
}

// One class's block: its heading and one line of the wins, seconds, thirds and unplaced runs it has.
void appendClassBlock(std::u16string& t, const char16_t* heading, const std::array<int, 4>& counts) {
  static constexpr std::array<const char16_t*, 4> parts = {N_(u"　優勝 {n}回　"), N_(u"　 ２着 {n}回　"),
                                                           N_(u"　 ３着 {n}回　"), N_(u"　着外 {n}回")};
  t += tr(heading);
  t += kNewLine;
  if (std::accumulate(counts.begin(), counts.end(), 0) < 1) {
    t += tr(u"　無し") + kNewLine;
    return;
  }
  for (size_t p = 0; p < counts.size(); ++p) {
    if (counts[p] <= 0) continue;
    t += trf(parts[p], {{u"n", num(counts[p])}});
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
      t += kNewLine + trf(u"以上が{cat}の全成績でした。", {{u"cat", trim(c.name)}}) + kNewLine;
      break;
    case CareerView::Active:
      t += trf(u"本年度賞金　{n}万", {{u"n", num(c.yearPrize)}, {u"yen", yenText(c.yearPrize)}}) + kNewLine + kNewLine;
      t += tr(u"次出走予定　") + kNewLine;
      if (c.entryRace == -1)
        t += tr(u"　　　未　　　　定　　　");
      else
        t += shownRaceName(slotAt(s, c.entryRace).raceName) + kNewLine;
      break;
    case CareerView::Retired:
      break;
  }
}

}  // namespace

std::u16string careerRecordText(const GameState& s, const CatRecord& c, CareerView view) {
  std::u16string t = tr(u"称号　") + tr(s.titleNames.at(c.title)) + kNewLine + kNewLine;
  t += tr(u"階級　") + classLabelRecord(c.catClass);
  if (const std::u16string breed = breedName(c.breed); !breed.empty()) t += tr(u"　　種別　") + breed + kNewLine;
  t += kNewLine;
  appendSRaces(t, c);
  appendClassBlock(t, N_(u"Ａクラス戦　戦績 "), aClassCounts(c));
  appendClassBlock(t, N_(u"Ｂクラス戦　戦績 "), blockCounts(c, CounterBlock::B));
  appendClassBlock(t, N_(u"Ｃクラス戦　戦績 "), blockCounts(c, CounterBlock::C));
  appendClassBlock(t, N_(u"Ｄクラス戦　戦績 "), blockCounts(c, CounterBlock::D));
  t += kNewLine +
       trf(u"対戦戦績　　{starts}戦{wins}勝", {{u"starts", num(c.starts)},
                                               {u"wins", num(c.wins)},
                                               {u"runs", runsCounted(c.starts)},
                                               {u"won", winsCounted(c.wins)}}) +
       kNewLine;
  t += trf(u"総獲得賞金　{n}万", {{u"n", num(c.totalPrize)}, {u"yen", yenText(c.totalPrize)}}) + kNewLine;
  appendEnding(t, s, c, view);
  return t;
}

void showCareerRecord(Game& g, int index, CareerView view) {
  if (index == -1) return;
  GameState& s = g.s;
  const CatRecord& c = view == CareerView::Retired ? retiredAt(s, index) : catAt(s, index);
  g.ui.tell(Question::CareerRecord, shownName(c.name), careerRecordText(s, c, view));
}

}  // namespace polmina
