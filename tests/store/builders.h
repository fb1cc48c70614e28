#pragma once
// Plausible games and data files for the store's tests and benchmark.
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "store/record.h"
#include "world/calendar.h"
#include "world/state.h"
#include "world/text.h"

namespace polmina::testing {

// A fresh directory under the system temp directory, removed with everything in it at the end.
class TempDir {
 public:
  TempDir() {
    static int serial = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("polmina-store-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline Bytes readBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const std::filesystem::path& file, const Bytes& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A cat whose every field depends on `i`, with names of mixed widths and fractional weights.
inline CatRecord plausibleCat(int i, int16_t owner) {
  static const std::array<const char16_t*, 6> names = {u"タマ",     u"ミケランジェロ",       u"ｸﾛｽｹ",
                                                       u"Ｓｎｏｗ", u"ポルミナフラッシュ号", u"Lucky"};
  CatRecord c;
  c.owner = owner;
  const std::u16string base = names[static_cast<size_t>(i) % names.size()];
  c.name = padRight(base.size() < 8 ? base + num(i) : base, CatNameLength);
  c.title = static_cast<uint8_t>(i % 26);
  c.breed = static_cast<uint8_t>(i % BreedCount);
  c.sex = static_cast<uint8_t>(i % 2);
  c.age = static_cast<uint8_t>(1 + i % 12);
  c.peakAge = static_cast<uint8_t>(11 + i % 11);
  c.looks = static_cast<uint8_t>(1 + i % 5);
  c.favouriteTraining = static_cast<uint8_t>(i % 5);
  c.growthType = static_cast<uint8_t>(1 + i % 5);
  c.adultWeight = 4000.0 + i * 0.37;
  c.weight = 3800.25 - i * 1.0 / 3.0;
  c.styleFlags = {uint8_t(i % 2), uint8_t((i / 2) % 2), 1, 0};
  c.reserved1 = {i * 17, -i, 70000 + i, int32_t(0x7FFFFFFF - i)};
  c.powerMax = 6000 + i;
  c.power = 3000 + 2 * i;
  c.speedMax = 8000 + i % 200;
  c.speed = 5000 - i;
  c.staminaMax = 2800 + i % 200;
  c.stamina = 1500 + i;
  c.constitution = static_cast<uint8_t>(1 + i % 5);
  c.catClass = static_cast<int16_t>(i % 11 - 1);
  c.condition = static_cast<int16_t>(101 - i % 130);
  c.formCycleLength = static_cast<uint8_t>(1 + i % 5);
  c.exhaustionCount = static_cast<uint8_t>(i % 10);
  c.trainSpeed1 = static_cast<uint8_t>(i % 4);
  c.trainStamina2 = static_cast<uint8_t>((i + 1) % 4);
  c.restWeeks = static_cast<uint8_t>(i % 6);
  c.starts = static_cast<uint8_t>(i % 256);
  c.wins = static_cast<uint8_t>(i % 7);
  c.entryRace = static_cast<int16_t>(i % 241 - 1);
  c.raceMark = static_cast<int16_t>(-(i % 2));
  c.yearPrize = i * 3;
  c.totalPrize = i * 101;
  c.points = 10000 - i;
  for (size_t k = 0; k < c.results.size(); ++k) c.results[k] = static_cast<uint8_t>((i + k) % 9);
  c.inUse = -1;
  return c;
}

// A game as the main window has it: 1000 cats (the player's cat at index 37), `retired` entries in
// the hall, a mid-year date, a named player and some champions' captions.
inline std::unique_ptr<GameState> plausibleGame(int retired = 100) {
  auto s = std::make_unique<GameState>();
  for (int i = 0; i < MaxCats; ++i) s->cats[i] = plausibleCat(i, static_cast<int16_t>(i == 37 ? 1 : i + 2));
  for (int j = 0; j < retired; ++j) s->retiredCats[j] = plausibleCat(j + 3, static_cast<int16_t>(2000 + j));
  for (int j = 0; j < retired; ++j) s->retiredCats[j].retired = -1;
  s->catCount = MaxCats;
  s->playerCat = 37;
  s->playerCatName = trim(s->cats[37].name);
  s->retiredCount = retired;
  s->year = 2003;
  s->month = 7;
  s->week = 3;
  s->weekBase = static_cast<uint8_t>(slotIndex(7, 3, 1));
  s->playerName = u"ねこ好き";
  s->playerSex = 1;
  s->winnerCaptions = {u"1着 タマ", u"1着 ミケランジェロ", u"未　定", u"未　定", u"未　定"};
  s->runnerUpCaptions = {u"2着 ｸﾛｽｹ", u"2着 Lucky", u"未　定", u"未　定", u"未　定"};
  fillCalendar(*s);
  return s;
}

// A start data file: cats[1..999] of the game, then all 101 entries of its hall.
inline Bytes startDataBytes(const GameState& s) {
  RecordImage img;
  for (int r = 1; r <= 999; ++r) img.put(r, encodeCat(s.cats[r]));
  for (int j = 0; j < MaxRetired; ++j) img.put(1000 + j, encodeCat(s.retiredCats[j]));
  return img.bytes();
}

}  // namespace polmina::testing
