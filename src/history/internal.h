#pragma once
// Inside the history: what identifies a cat across weeks, tables and games, and the dates and saves
// the history reads.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "history/history.h"
#include "store/record.h"
#include "store/savefile.h"
#include "world/text.h"

namespace polmina {

struct History::CatKey {
  std::string name;
  int breed, sex, peakAge;
  double adultWeight;

  static CatKey of(const CatRecord& c) {
    return {toUtf8(trim(c.name)), c.breed, c.sex, c.peakAge, c.adultWeight};
  }
  static CatKey of(const RecordedRunner& r) {
    return {toUtf8(r.name), r.breed, r.sex, r.peakAge, r.adultWeight};
  }
  auto operator<=>(const CatKey&) const = default;
};

// The cats' rows as this connection has found or added them. Rows of cats are never removed, and a
// failed transaction closes the connection, which forgets them all.
struct History::KnownCats {
  std::map<CatKey, int64_t> ids;
};

struct WeekDate {
  int year, month, week;
};

inline WeekDate weekBefore(const GameState& s) {
  if (s.week > 1) return {s.year, s.month, s.week - 1};
  if (s.month > 1) return {s.year, s.month - 1, 4};
  return {s.year - 1, 12, 4};
}

inline int64_t ordinalOf(const GameState& s) { return weekOrdinal(s.year, s.month, s.week); }

// The game of the save in `dir`, when there is one that loads.
inline std::unique_ptr<GameState> savedGameIn(const std::filesystem::path& dir) {
  auto s = std::make_unique<GameState>();
  if (!hasSaveGame(dir) || !loadGame(*s, dir)) return nullptr;
  return s;
}

inline std::vector<uint8_t> recordBytes(const CatRecord& c) {
  const RecordBytes r = encodeCat(c);
  return {r.begin(), r.end()};
}

}  // namespace polmina
