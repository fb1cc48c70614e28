#include "news/topics.h"

#include <optional>

#include "race/entry.h"
#include "world/calendar.h"
#include "rank/sort.h"
#include "world/labels.h"
#include "world/numbers.h"
#include "world/text.h"

namespace polmina {

namespace {

constexpr std::u16string_view kCrLf = u"\r\n";

using SortFn = void (*)(CatTable, bool, int, int);
using Names = std::array<std::u16string, MaxRunners>;

enum class Kind { Preview, Result, NewCats, Entries };

struct Plan {
  Kind kind;
  std::u16string headline;
  int slot = -1;
  SortFn sort = nullptr;
  bool reversed = false;
};

// The cats a topic is about, best first, and their names as the article writes them.
struct Material {
  std::array<CatRecord, MaxRunners> cats{};
  Names names{};
  int count = 0;
  bool held = false;
};

std::u16string lines(std::u16string_view first, std::u16string_view second = {}) {
  std::u16string out = std::u16string(first) + std::u16string(kCrLf);
  if (!second.empty()) out += std::u16string(second) + std::u16string(kCrLf);
  return out;
}

Plan finalPreviewPlan(int yearMod) {
  static constexpr std::array<const char16_t*, 3> kTitles = {N_(u"『猫皇記念』　開　催"), N_(u"『猫聖記念』　開　催"),
                                                             N_(u"『天猫記念』　開　催")};
  static constexpr std::array<SortFn, 3> kOrders = {sortBySpeed, sortByYearPrize, sortByAgeAndYearPrize};
  const auto m = static_cast<size_t>(yearMod);
  return {Kind::Preview, lines(tr(u"３年に一度の大舞台"), tr(kTitles[m])), YearEndSlot, kOrders[m], true};
}

// The weeks with a topic (the December preview depends on the year and is planned apart).
struct PlanRow {
  int weekBase;
  Kind kind;
  const char16_t* line1;
  const char16_t* line2;
  int slot;
  SortFn sort;
  bool reversed;
};

constexpr PlanRow kPlans[] = {
    {35, Kind::Preview, N_(u"スピードの競演"), N_(u"早　猫　賞　開　催"), 39, sortBySpeed, true},
    {75, Kind::Preview, N_(u"桜吹雪を駆け抜ける"), N_(u"桜　猫　賞　開　催"), 79, sortByPoints, false},
    {115, Kind::Preview, N_(u"　猫界の栄誉、速く、そして強く！！"), N_(u"優　駿　猫　開　催"), 119,
     sortByTotalPrizeOnly, true},
    {155, Kind::Preview, N_(u"秋の大レース"), N_(u"菊　猫　賞　開　催"), 159, sortByAgeAndYearPrize, true},
    {195, Kind::Preview, N_(u"地獄の３００Ｍ、超過酷なレース"), N_(u"有　猫　杯　開　催"), 199, sortByTotalPrizeOnly,
     true},
    {40, Kind::Result, N_(u"先週の早猫賞結果速報"), u"", -1, nullptr, false},
    {80, Kind::Result, N_(u"先週の桜猫賞結果速報"), u"", -1, nullptr, false},
    {120, Kind::Result, N_(u"先週の優駿猫結果速報"), u"", -1, nullptr, false},
    {160, Kind::Result, N_(u"先週の菊猫賞結果速報"), u"", -1, nullptr, false},
    {200, Kind::Result, N_(u"先週の有猫杯結果速報"), u"", -1, nullptr, false},
    {125, Kind::NewCats, N_(u"新猫戦開催"), u"", -1, nullptr, false},
    {220, Kind::Entries, N_(u"３大記念出走猫決定"), u"", YearEndSlot, nullptr, false},
};

std::optional<Plan> planOf(const GameState& s) {
  if (s.weekBase == 235) return finalPreviewPlan(s.year % 3);
  for (const PlanRow& r : kPlans)
    if (r.weekBase == s.weekBase) return Plan{r.kind, lines(tr(r.line1), tr(r.line2)), r.slot, r.sort, r.reversed};
  return std::nullopt;
}

// The first twelve cats booked for the slot, in table order, then ranked as the plan says.
Material entrants(const GameState& s, const Plan& p) {
  Material m;
  for (int i = 0; i < s.catCount && m.count < MaxRunners; ++i)
    if (catAt(s, i).entryRace == p.slot) m.cats[static_cast<size_t>(m.count++)] = catAt(s, i);
  m.held = m.count >= MinRunners;
  if (p.sort) {
    const CatTable table(m.cats);
    p.sort(table, false, 0, m.count - 1);
    if (p.reversed) reverseRange(table, m.count - 1);
  }
  for (int i = 0; i < m.count; ++i)
    m.names[static_cast<size_t>(i)] = shownName(m.cats[static_cast<size_t>(i)]);
  return m;
}

int leadingNames(const Names& names) {
  int n = 0;
  while (n < MaxRunners && !names[static_cast<size_t>(n)].empty()) ++n;
  return n;
}

// The year's last race: its name in the calendar becomes the cup's until the calendar is set again.
std::u16string finalPreview(GameState& s, const Names& a, int n) {
  static constexpr std::array<const char16_t*, 3> kCups = {N_(u" 『猫皇杯』 "), N_(u" 『猫聖杯』 "), N_(u" 『天猫杯』 ")};
  const int mod = s.year % 3;
  RaceSlot& slot = slotAt(s, YearEndSlot);
  slot.raceName = kCups[static_cast<size_t>(mod)];
  slot.distance = 100 * (mod + 1);
  const std::u16string crlf(kCrLf);
  if (mod == 0)
    return trf(u"スピードキングを決める『猫皇杯』\r\nスタミナも戦略もありません\r\nとにかく早ければいい\r\n{a1}、{a2}、{a3}他、全{n}頭の走りに期待しましょう",
               {{u"a1", a[0]}, {u"a2", a[1]}, {u"a3", a[2]}, {u"n", num(n)}});
  if (mod == 1)
    return trf(u"とうとうやってきました本年度の締めくくり『猫聖杯』\r\n称号を獲得している戦士たち\r\n本年度最優秀猫の期待もかかる{a1}、{a2}、{a3}今年最後のドラマははたして・・・・",
               {{u"a1", a[0]}, {u"a2", a[1]}, {u"a3", a[2]}});
  return trf(u"３年に一度の大レース『天猫杯』\r\n英雄達の最後の集い\r\n新たなる伝説が生まれるレースと言えるでしょう\r\n{a1}、{a2}、{a3}   優秀の美を飾るのははたして・・・・",
               {{u"a1", a[0]}, {u"a2", a[1]}, {u"a3", a[2]}});
}

std::u16string raceTitle(int slot) {
  // The A-class big races in the order of their slots (ChampionSlots); the last, 有猫記念, for any other.
  static constexpr const char16_t* kTitles[] = {N_(u"『早猫賞』"), N_(u"『桜猫賞』"), N_(u"『優駿猫』"),
                                                N_(u"『菊猫賞』"), N_(u"『有猫記念』")};
  for (size_t i = 0; i + 1 < ChampionSlots.size(); ++i)
    if (slot == ChampionSlots[i]) return kTitles[i];
  return kTitles[ChampionSlots.size() - 1];
}

std::u16string bigRacePreview(int t, const std::u16string& r, const Names& a, int n) {
  const std::u16string crlf(kCrLf);
  if (t == 1)
    return trf(u"今年も混戦となりますか１番人気の{a1}、２番人気の{a2}、そして３番人気の{a3}と実力は互角と見られています あと{a4}、{a5}も侮れません。\r\n今年の{race}は何が来るか分らないぞ",
               {{u"a1", a[0]}, {u"a2", a[1]}, {u"a3", a[2]}, {u"a4", a[3]}, {u"a5", a[4]}, {u"race", r}});
  if (t == 2)
    return trf(u"今年もやってきました{race}\r\n最有力の{a1}はどんなレースを見せてくれるのか？\r\n{a2}と{a3}にも期待がかかります。\r\n出走猫{n}頭の走りに注目しましょう",
               {{u"race", r}, {u"a1", a[0]}, {u"a2", a[1]}, {u"a3", a[2]}, {u"n", num(n)}});
  const std::u16string& last = n > 0 ? a[static_cast<size_t>(n - 1)] : a[0];
  return trf(u"今年も開催されます{race}\r\n１番人気に推されましたのは{a1}、そして２番人気は{a2}、３番人気に{a3}と続きます。\r\nそして人気薄ですが{last}も怖い存在です。",
               {{u"race", r}, {u"a1", a[0]}, {u"a2", a[1]}, {u"a3", a[2]}, {u"last", last}});
}

// The preview article. Its wording is drawn once a week and kept when the paper is read again.
std::u16string composeBigRacePreview(Game& g, int slot, const Names& names) {
  GameState& s = g.s;
  const int kept = s.previewTemplate;
  const int t = kept >= 1 && kept <= 3 ? kept : intFloorL(3 * g.rng.uniform()) + 1;
  const int n = leadingNames(names);
  std::u16string text =
      slot == YearEndSlot ? finalPreview(s, names, n) : bigRacePreview(t, tr(raceTitle(slot)), names, n);
  s.previewTemplate = static_cast<uint8_t>(t);
  return text;
}

std::u16string entriesArticle(const Names& names) {
  std::u16string text;
  for (int k = 1; k <= 11; ++k)
    text += trf(u"{n}番人気　{cat}", {{u"n", num(k)}, {u"cat", names[static_cast<size_t>(k - 1)]}}) + std::u16string(kCrLf);
  return text + tr(u"上記の様に決定致しました");
}

}  // namespace

std::u16string ageAndSex(int age, int sex) {
  return trf(u"{age}才 {sex}", {{u"age", num(age)}, {u"sex", tr(sex != 0 ? N_(u"雌") : N_(u"雄"))}});
}

namespace {

// The finishers of the last race run, with age and sex after the name.
Material finishers(const GameState& s) {
  Material m;
  for (size_t i = 0; i < MaxRunners; ++i) {
    if (s.finishOrder[i] == -1) continue;
    m.held = true;
    m.count = static_cast<int>(i) + 1;
    const CatRecord& c = s.raceSnapshot[i];
    m.cats[i] = c;
    m.names[i] =
        shownName(c) + (c.age < 10 ? u" " : u"") + ageAndSex(c.age, c.sex);
  }
  return m;
}

std::u16string resultArticle(const Names& names) {
  // "10着" is as wide as "1着 " in Japanese; "10th" still needs its space before the name.
  const bool spaceAlways = currentLanguage() != Language::Japanese;
  std::u16string text;
  for (int c = 1; c <= MaxRunners; ++c)
    text += placeName(c) + (c < 10 || spaceAlways ? u" " : u"") + names[static_cast<size_t>(c - 1)] +
            std::u16string(kCrLf);
  return text + tr(u"   以上着順でした");
}

bool promisingNewCat(const CatRecord& c) {
  return c.age == 1 && c.stamina > 1300 && (c.growthType == 1 || c.growthType == 4);
}

// The three fastest promising one-year-olds; the table stays ordered by speed afterwards.
Material newCats(GameState& s) {
  const CatTable table(s.cats);
  sortBySpeed(table, false, 0, s.catCount - 1);
  sortBySpeed(table, false, 0, s.catCount - 1);
  findPlayerCat(s);
  Material m;
  for (int i = s.catCount - 1; i >= 0 && m.count < 3; --i) {
    if (!promisingNewCat(catAt(s, i))) continue;
    m.cats[static_cast<size_t>(m.count)] = catAt(s, i);
    m.names[static_cast<size_t>(m.count++)] = shownName(catAt(s, i));
  }
  m.held = true;
  return m;
}

std::u16string newCatsArticle(const Names& a) {
  const std::u16string crlf(kCrLf);
  return trf(u"季節は初夏を迎え夏競猫のシーズン今年もいよい新猫戦の開催時期になりました。\r\n新たに加わった新猫達の熱いバトルの開幕となります。\r\nこの中から次代のスター猫が果たして誕生するのか・・・\r\n有力猫を3頭ほどご紹介しましょう\r\n最有力として{a1}次に{a2}そして{a3}\r\nとにかく皆無事に成長していって欲しいものです。",
               {{u"a1", a[0]}, {u"a2", a[1]}, {u"a3", a[2]}});
}

Topic noNews(const char16_t* text) {
  Topic t;
  t.noNewsText = tr(text);
  return t;
}

const char16_t* faceCaption(Kind kind) {
  if (kind == Kind::Result) return N_(u"優勝猫");
  if (kind == Kind::NewCats) return N_(u"期待の1歳猫");
  return N_(u"一番人気猫");
}

Topic shownTopic(const Plan& p, const Material& m, std::u16string article) {
  Topic t;
  t.news = true;
  t.headline = p.headline;
  if (!m.held) {
    t.article = std::u16string(kCrLf) + std::u16string(kCrLf) + tr(u"・・・・・・・・の予定が中止となりました");
    return t;
  }
  t.article = std::move(article);
  for (int i = 0; i < m.count; ++i) t.names.push_back(shownName(m.cats[static_cast<size_t>(i)]));
  // Without a single promising cat there is no face to show.
  if (m.count == 0) return t;
  t.caption = tr(faceCaption(p.kind));
  t.faceName = m.names[0];
  t.faceBreed = m.cats[0].breed;
  return t;
}

}  // namespace

Topic weeklyTopic(Game& g) {
  GameState& s = g.s;
  const std::optional<Plan> plan = planOf(s);
  if (!plan) return noNews(NoNewsText);
  switch (plan->kind) {
    case Kind::Preview: {
      const Material m = entrants(s, *plan);
      return shownTopic(*plan, m, m.held ? composeBigRacePreview(g, plan->slot, m.names) : std::u16string());
    }
    case Kind::Entries: {
      const Material m = entrants(s, *plan);
      return shownTopic(*plan, m, entriesArticle(m.names));
    }
    case Kind::Result: {
      const Material m = finishers(s);
      if (!m.held) return noNews(NoNewsText);
      return shownTopic(*plan, m, resultArticle(m.names));
    }
    case Kind::NewCats: {
      const Material m = newCats(s);
      return shownTopic(*plan, m, newCatsArticle(m.names));
    }
  }
  return noNews(NoNewsText);
}

Topic readNewspaper(Game& g) {
  if (g.s.month == 1 && g.s.week == 1) return noNews(NoNewsFirstWeekText);
  return weeklyTopic(g);
}

}  // namespace polmina
