#pragma once
// The whole game as plain data. There is no other copy of the game state: the windows, the weekly
// turn and the save file all work on one GameState.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "world/i18n.h"
#include "world/race_types.h"

namespace polmina {

inline constexpr int MaxCats = 1000;
inline constexpr int MaxRetired = 101;
inline constexpr int MaxTitles = 101;
inline constexpr int CalendarSize = 240;
inline constexpr int CatNameLength = 20;

// Class codes: lower is higher.
enum CatClassCode : int16_t {
  ClassSS = -1, ClassS = 0, ClassA = 1, ClassB = 2, ClassC = 3, ClassD = 4,
  Class700 = 5, Class200 = 6, Class70 = 7, ClassMaiden = 8, ClassNew = 9,
};

inline constexpr int BreedCount = 11;

// One cat. Field order and widths are those of the save file's cat record.
struct CatRecord {
  int16_t owner = 0;
  std::u16string name = std::u16string(CatNameLength, u' ');  // always 20 characters
  uint8_t title = 0;
  uint8_t breed = 0;
  uint8_t sex = 0;
  uint8_t age = 0;
  uint8_t peakAge = 0;
  uint8_t looks = 0;  // 1..5; no rule reads it
  uint8_t favouriteTraining = 0;
  uint8_t growthType = 0;
  double adultWeight = 0;
  double weight = 0;
  std::array<uint8_t, 4> styleFlags{};
  std::array<int32_t, 4> reserved1{};
  int32_t powerMax = 0;
  int32_t power = 0;
  int32_t speedMax = 0;
  int32_t speed = 0;
  int32_t staminaMax = 0;
  int32_t stamina = 0;
  uint8_t constitution = 0;  // 1 robust .. 5 sickly: it adds to the training load
  int16_t catClass = 0;
  int16_t condition = 0;
  uint8_t formCycleLength = 0;
  uint8_t exhaustionCount = 0;
  uint8_t trainSpeed1 = 0;
  uint8_t trainStamina1 = 0;
  uint8_t trainPower1 = 0;
  uint8_t trainSpeed2 = 0;
  uint8_t trainStamina2 = 0;
  uint8_t trainPower2 = 0;
  uint8_t restWeeks = 0;
  uint8_t starts = 0;
  uint8_t wins = 0;
  int16_t entryRace = 0;
  int16_t raceMark = 0;
  int32_t yearPrize = 0;
  int32_t totalPrize = 0;
  int32_t points = 0;
  std::array<uint8_t, 48> results{};
  int16_t retired = 0;
  int16_t inUse = 0;

  bool operator==(const CatRecord&) const = default;
};

// Where a placing counter lies in a cat's `results` (placing 0 = 1着, 1 = 2着, 2 = 3着, 3 = 着外).
// The S race of 12/4 (race 0 = 猫皇, 1 = 猫聖, 2 = 天猫, by year mod 3):
constexpr size_t sRaceCounter(int race, int placing) { return static_cast<size_t>(race + 3 * placing); }
// The A-class big races by race number b (1 = 早猫賞, 2 = 桜猫賞, 3 = 優駿猫 and 菊猫賞, 4 = 有猫記念):
constexpr size_t aRaceCounter(int b, int placing) { return static_cast<size_t>(12 + b + 6 * placing); }
// The B, C and D classes, four counters each.
enum class CounterBlock { B = 36, C = 40, D = 44 };
constexpr size_t classCounter(CounterBlock block, int placing) {
  return static_cast<size_t>(static_cast<int>(block) + placing);
}

// One race of the calendar.
struct RaceSlot {
  std::u16string raceName;
  int16_t raceClass = 0;
  int32_t distance = 0;
  int32_t prize = 0;
  uint8_t raceClassByte = 0;
  int32_t raceState = 0;

  bool operator==(const RaceSlot&) const = default;
};

// Colours of the windows' labels, as 0x00BBGGRR.
inline constexpr uint32_t ColourBlack = 0x000000;
inline constexpr uint32_t ColourRed = 0x0000FF;
// A background left to the window's own colour.
inline constexpr uint32_t ColourWindow = 0xFFFFFFFF;

// One label of the week's result panel: element 0 of a race is its race line on a background by the
// race's class, elements 1..3 show the first three finishers, red for the player's cat.
struct ResultLine {
  std::u16string text;
  uint32_t textColour = ColourBlack;
  uint32_t background = ColourWindow;
  // The race was called off: the line reads the catalog's "中止" rather than a cat's name.
  bool calledOff = false;

  bool operator==(const ResultLine&) const = default;
};

struct GameState {
  std::array<CatRecord, MaxCats> cats{};
  int32_t catCount = 1;
  int16_t playerCat = 0;
  std::array<CatRecord, MaxRetired> retiredCats{};
  int32_t retiredCount = -1;
  std::array<std::u16string, MaxTitles> titleNames{};
  std::array<RaceSlot, CalendarSize> calendar{};
  int16_t year = 2001;
  uint8_t month = 1;
  uint8_t week = 1;
  uint8_t weekBase = 0;
  int32_t money = 0;
  std::u16string playerName;
  uint8_t playerSex = 0;
  std::u16string playerCatName;
  uint8_t conditionLevel = 2;
  std::array<uint8_t, MaxCats> formCycle{};
  int32_t formTick = 0;
  std::u16string pendingMessage;

  // The race being run and the fields of the week.
  std::array<Runner, MaxRunners> runners{};
  int32_t runnerCount = 0;
  std::array<int16_t, MaxRunners> finishOrder{};
  std::array<CatRecord, MaxRunners> raceSnapshot{};
  int32_t scanFirst = 0;
  int32_t scanLast = 0;
  int32_t scanStep = 0;
  int32_t registrationPass = 0;
  std::array<RaceState, 2> raceStates{};
  bool raceDone = false;
  uint8_t preRaceCondition = 0;

  // Hand-over flags between the flows of the week and the windows.
  bool awardsPending = false;
  bool remarkPending = false;
  bool listShowsActive = true;
  uint8_t listSortOrder = 0;
  uint8_t previewTemplate = 0;

  // The "本年度Aクラス優勝猫" panel: winner (LabC1) and runner-up (LabA2) captions of the five A-class
  // big races. They are saved, so they are state.
  std::array<std::u16string, 5> winnerCaptions{};
  std::array<std::u16string, 5> runnerUpCaptions{};
  // What the save file gave back for those captions (the title window copies them into the panel).
  std::array<std::u16string, 5> savedWinnerCaptions{};
  std::array<std::u16string, 5> savedRunnerUpCaptions{};

  // race results
  // The week's result panel: resultLines[k - 1][e] is element e (0..3) of race k (1..5).
  std::array<std::array<ResultLine, 4>, 5> resultLines{};

  // weekly turn
  // The notice line under the cat panel (labComment); its first text lacks the full stop.
  std::u16string noticeLine = N_(u"調教が設定されていません");
  bool noticeVisible = true;
  // The slot the registration programme booked the player's cat for by itself this week; -1 if none.
  int16_t programmeBooking = -1;
  // The best cats of the year on the awards panel (LabKingName 0..6), as the year end names them.
  std::array<std::u16string, 7> awardNames{};
  // Set once the player's cat has retired: the farewell has been shown and the program ends.
  bool gameOver = false;

  GameState();
};

// Defaults of a freshly started program: one cat slot, no retired cats yet, 2001/1/1, titles filled.
void resetProgramState(GameState& s);

// Checked table access: an index outside the table is a programming error and throws.
CatRecord& catAt(GameState& s, int index);
const CatRecord& catAt(const GameState& s, int index);
CatRecord& retiredAt(GameState& s, int index);
RaceSlot& slotAt(GameState& s, int index);
const RaceSlot& slotAt(const GameState& s, int index);

// Sets playerCat to the first index whose owner is 1; unchanged when there is none.
void findPlayerCat(GameState& s);
// Where the player's cat is, without writing it down (playerCat when no cat is the player's).
int playerCatIndex(const GameState& s);
// catCount := 1 + the highest index whose inUse is -1.
void recountCats(GameState& s);

// Trimmed name of a cat, as shown: in Latin letters in English (the record keeps it as it is).
std::u16string shownName(const CatRecord& c);

}  // namespace polmina
