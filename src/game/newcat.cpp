#include "game/newcat.h"

#include <array>
#include <cmath>
#include <stdexcept>

#include "store/sjis.h"
#include "world/numbers.h"
#include "world/text.h"

namespace polmina {

namespace {

constexpr int kMaxNameLength = 10;

// Half-width katakana and signs U+FF61..U+FF9F in full width.
constexpr std::u16string_view kWideKana =
    u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモ"
    u"ヤユヨラリルレロワン゛゜";
static_assert(kWideKana.size() == 0xFF9F - 0xFF61 + 1);

bool takesSemiVoicedMark(char16_t k) { return k >= u'ハ' && k <= u'ホ' && (k - u'ハ') % 3 == 0; }

// カ..チ and ツ..ト every other letter (the small ッ breaks the run), ハ..ホ every third.
bool takesVoicedMark(char16_t k) {
  return (k >= u'カ' && k <= u'チ' && (k - u'カ') % 2 == 0) ||
         (k >= u'ツ' && k <= u'ト' && (k - u'ツ') % 2 == 0) || takesSemiVoicedMark(k);
}

// Letters, digits and signs of ASCII and half-width katakana become full width; a half-width voiced
// or semi-voiced mark joins the kana before it where the pair has one full-width letter.
std::u16string toFullWidth(std::u16string_view text) {
  std::u16string out;
  for (char16_t ch : text) {
    if (ch >= 0x21 && ch <= 0x7E) {
      out += static_cast<char16_t>(ch + 0xFEE0);
    } else if (ch >= 0xFF61 && ch <= 0xFF9F) {
      const char16_t wide = kWideKana[ch - 0xFF61];
      char16_t* prev = out.empty() ? nullptr : &out.back();
      if (wide == u'゛' && prev && *prev == u'ウ') {
        *prev = u'ヴ';
      } else if (wide == u'゛' && prev && takesVoicedMark(*prev)) {
        *prev = static_cast<char16_t>(*prev + 1);
      } else if (wide == u'゜' && prev && takesSemiVoicedMark(*prev)) {
        *prev = static_cast<char16_t>(*prev + 2);
      } else {
        out += wide;
      }
    } else {
      out += ch;
    }
  }
  return out;
}

// Characters that look alike but that Shift-JIS holds only in their other form.
char16_t shiftJisTwin(char16_t ch) {
  switch (ch) {
    case 0x301C:
      return 0xFF5E;  // wave dash → full-width tilde
    case 0x2016:
      return 0x2225;  // double vertical line → parallel
    case 0x2212:
      return 0xFF0D;  // minus sign → full-width hyphen-minus
    case 0x2014:
      return 0x2015;  // em dash → horizontal bar
    case 0x00A2:
      return 0xFFE0;  // cent
    case 0x00A3:
      return 0xFFE1;  // pound
    case 0x00AC:
      return 0xFFE2;  // not sign
    case 0x00A5:
      return 0xFFE5;  // yen
    case 0x203E:
      return 0xFFE3;  // overline → full-width macron
    default:
      return ch;
  }
}

bool isControl(char16_t ch) { return ch < 0x20 || (ch >= 0x7F && ch <= 0x9F); }

}  // namespace

NameCheck checkName(std::u16string_view text) {
  const std::u16string trimmed = trim(text);
  if (trimmed.empty()) return {false, {}, tr(u"名前を入力して下さい。")};
  std::u16string joined;
  for (char16_t ch : trimmed)
    if (ch != u' ') joined += ch;
  // A name of nothing but full-width spaces (what an input method types for a space) is no name.
  if (joined.find_first_not_of(u'\u3000') == std::u16string::npos)
    return {false, {}, tr(u"名前を入力して下さい。")};
  std::u16string name = toFullWidth(joined);
  if (name.size() > kMaxNameLength) return {false, {}, tr(u"10文字までです。")};
  for (size_t i = 0; i < name.size(); ++i) {
    char16_t& ch = name[i];
    ch = shiftJisTwin(ch);
    if (isControl(ch) || !sjisRoundTrips(std::u16string_view(&ch, 1))) {
      // A character beyond the basic plane is two units: show it whole, not half of it.
      const bool pair = ch >= 0xD800 && ch < 0xDC00 && i + 1 < name.size();
      const std::u16string shown = isControl(ch) ? tr(u"制御文字") : name.substr(i, pair ? 2 : 1);
      return {false, {}, trf(u"「{char}」は名前に使えない文字です。", {{u"char", shown}})};
    }
  }
  return {true, name, {}};
}

std::u16string catPageLead(int playerSex) {
  return playerSex != 0 ? N_(u"次に貴女の猫君の名前、性別、特徴をお答えください。")
                        : N_(u"次に貴方の猫君の名前、性別、特徴をお答えください。");
}

void namePlayer(GameState& s, std::u16string_view name, int sex) {
  s.playerName = std::u16string(name);
  s.playerSex = static_cast<uint8_t>(sex);
}

void choosePlayerBreed(GameState& s, int breed) { catAt(s, 0).breed = static_cast<uint8_t>(breed); }

void namePlayerCat(GameState& s, std::u16string_view name, int sex) {
  CatRecord& c = catAt(s, 0);
  c.owner = 1;
  s.playerCatName = std::u16string(name);
  c.name = padRight(name, CatNameLength);
  c.sex = static_cast<uint8_t>(sex);
}

AbilityGroup abilityGroup(int breed) {
  static constexpr std::array<AbilityGroup, BreedCount> kGroups = {
      GroupB, GroupC, GroupA, GroupA, GroupA, GroupC, GroupC, GroupC, GroupA, GroupB, GroupB};
  return kGroups.at(static_cast<size_t>(breed));
}

WeightSpread adultWeightSpread(int breed) {
  static constexpr std::array<WeightSpread, BreedCount> kSpreads = {{{4000, 2000},
                                                                     {5000, 5000},
                                                                     {5000, 3000},
                                                                     {5000, 3000},
                                                                     {5000, 3000},
                                                                     {5000, 5000},
                                                                     {4000, 2000},
                                                                     {4000, 2000},
                                                                     {4000, 2000},
                                                                     {5000, 3000},
                                                                     {4000, 2000}}};
  return kSpreads.at(static_cast<size_t>(breed));
}

namespace {

// The draw as a single-precision number, as the adult weight is reckoned in single precision; kept
// below 1 so that rounding to single cannot reach the top of the range.
float singleDraw(double u) {
  const float f = static_cast<float>(u);
  return f < 1.0f ? f : std::nextafter(1.0f, 0.0f);
}

uint8_t playerGrowthType(int g) {
  if (g == 0) return 4;
  if (g < 100) return 1;
  if (g < 200) return 2;
  return 3;
}

uint8_t playerFavourite(int v) {
  if (v >= 21) return 1;
  if (v >= 11) return 2;
  if (v >= 1) return 3;
  return 4;
}

struct BreedStart {
  int staminaMax, stamina, speedMax, speed;
};
constexpr BreedStart kBreedStart[3] = {
    {2800, 1000, 8200, 6000}, {2900, 1800, 8100, 5950}, {3000, 2000, 8000, 5900}};

}  // namespace

void createPlayerCat(Game& g, int trait) {
  Rng& rng = g.rng;
  CatRecord& c = catAt(g.s, 0);
  rng.reseed();
  c.weight = intFloor(300 * rng.uniform() + 100);
  c.age = 1;
  c.title = 0;
  c.growthType = playerGrowthType(intFloorL(300 * rng.uniform()));
  c.peakAge = static_cast<uint8_t>(intFloorL((c.growthType + 4) * rng.uniform() + 10) + c.growthType);
  c.condition = 80;
  c.starts = 0;
  c.wins = 0;
  c.catClass = ClassNew;
  c.inUse = -1;
  c.entryRace = -1;
  c.restWeeks = 0;
  c.points = 10000;
  c.favouriteTraining = playerFavourite(intFloorL(30 * rng.uniform()));
  c.constitution = static_cast<uint8_t>(intFloorL(5 * rng.uniform() + 1));
  c.looks = static_cast<uint8_t>(intFloorL(5 * rng.uniform() + 1));
  rng.reseed();
  int speedBonus = 0, staminaBonus = 0, both = 0;
  switch (trait) {
    case TraitSpeed:
      speedBonus = 100;
      break;
    case TraitStamina:
      staminaBonus = 100;
      break;
    case TraitHealth:
      c.constitution = 1;
      break;
    case TraitLooks:
      c.looks = 1;
      break;
    case TraitUnknown:
      both = intFloorL(80 * rng.uniform() + 1);
      break;
    default:
      break;
  }
  c.formCycleLength = static_cast<uint8_t>(intFloorL(5 * rng.uniform() + 1));
  const WeightSpread w = adultWeightSpread(c.breed);
  c.adultWeight = std::floor(static_cast<float>(w.span) * singleDraw(rng.uniform()) + 1.0f) + w.base;
  const BreedStart& b = kBreedStart[abilityGroup(c.breed)];
  c.staminaMax = b.staminaMax;
  c.stamina = b.stamina + staminaBonus + both;
  c.speedMax = b.speedMax;
  c.speed = b.speed + speedBonus + both;
  c.powerMax = 6000;
  c.power = intFloorL(500 * rng.uniform() + 4000);
}

std::u16string firstWords(const GameState& s) {
  const std::u16string& player = s.playerName;
  std::u16string m;
  if (s.playerSex != 0) {
    m += trf(u"{player}の事が好きニャ　　　\r\nだから頑張るニャ 　 \r\n", {{u"player", player}});
  } else {
    m += trf(u"{player}の為に頑張るニャ　　　\r\nしっかり応援してニャ 　 \r\n", {{u"player", player}});
  }
  const std::u16string& name = s.playerCatName;
  // The words follow the player's own cat's constitution; by now the name sort of the new game may
  // have moved it away from slot 0.
  switch (catAt(s, s.playerCat).constitution) {
    case 1:
      m += trf(u"{cat}は強いからビシビシ鍛えるニャ！！　　", {{u"cat", name}});
      break;
    case 2:
      m += trf(u"{cat}は負けないニャ", {{u"cat", name}});
      break;
    case 3:
      m += trf(u"でも{cat}疲れるの嫌だニャ　　　", {{u"cat", name}});
      break;
    case 4:
      m += trf(u"でも{cat}体弱いしニャ・・・　　", {{u"cat", name}});
      break;
    case 5:
      m += trf(u"でも{cat}は病弱だからニャ・・・　　", {{u"cat", name}});
      break;
    default:
      break;
  }
  return m;
}

}  // namespace polmina
