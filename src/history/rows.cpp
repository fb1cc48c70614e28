#include "history/rows.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace polmina::rows {

// A game is one player's cat from its first week; a career (career = 1) is a finished game as the
// hall keeps it: a copy of its own races and its growth, apart from the game that may still go on.
// Races are found by game and date, and a cat's races by going through its game's (a few
// milliseconds after twenty-five seasons): an index of the runners by cat would cost every week a
// write to about as many of its pages as the week had runners.
const char* const Schema = R"(
CREATE TABLE cats(
  id INTEGER PRIMARY KEY, name TEXT NOT NULL, breed INT, sex INT, peakAge INT, adultWeight REAL,
  UNIQUE(name, breed, sex, peakAge, adultWeight));
CREATE TABLE games(
  id INTEGER PRIMARY KEY, career INT NOT NULL DEFAULT 0, cat INT, player TEXT, fromYear INT, toYear INT,
  catRecord BLOB, ended TEXT, endedSeq INT);
CREATE INDEX games_by_cat ON games(cat, career);
CREATE TABLE races(
  id INTEGER PRIMARY KEY, ordinal INT, year INT, month INT, week INT, slot INT, raceName TEXT,
  raceClass INT, distance INT, slotPrize INT, watched INT, replayable INT, rngWords BLOB,
  mixesClock INT, clock BLOB, game INT NOT NULL DEFAULT 1);
CREATE INDEX races_by_date ON races(game, ordinal);
CREATE TABLE runners(
  race INT, gate INT, cat INT, age INT, catClass INT, owner INT, speed INT, stamina INT, power INT,
  condition INT, effort INT, cruise INT, staminaLeft INT, styleFlags INT, place INT, prize INT,
  PRIMARY KEY(race, gate)) WITHOUT ROWID;
CREATE TABLE growth(
  game INT, ordinal INT, year INT, month INT, week INT, speed INT, stamina INT, power INT,
  weight REAL, condition INT, catClass INT, points INT, yearPrize INT, totalPrize INT,
  PRIMARY KEY(game, ordinal)) WITHOUT ROWID;
CREATE TABLE recovery(
  id INTEGER PRIMARY KEY CHECK (id = 1), ordinal INT, year INT, month INT, week INT, save BLOB,
  game INT NOT NULL DEFAULT 1, base INT, sum INT);
CREATE TABLE recoveryBase(id INTEGER PRIMARY KEY CHECK (id = 1), serial INT NOT NULL, save BLOB, sum INT);
CREATE TABLE saves(sum INTEGER PRIMARY KEY);
)";

// Every copy of a save the history holds carries the checksum of the whole save (`sum`), and `saves`
// the checksum of every save file the game wrote: a copy that does not match was changed since.
const char* const FromVersion3 = R"(
ALTER TABLE recovery ADD COLUMN sum INT;
ALTER TABLE recoveryBase ADD COLUMN sum INT;
CREATE TABLE saves(sum INTEGER PRIMARY KEY);
)";

// The game for recovery is kept as its differences from a base written now and then: `save` holds
// them when `base` names the base's serial, and the whole game when it is NULL (as it always was).
const char* const FromVersion2 = R"(
DROP INDEX IF EXISTS runners_by_cat;
ALTER TABLE recovery ADD COLUMN base INT;
CREATE TABLE recoveryBase(id INTEGER PRIMARY KEY CHECK (id = 1), serial INT NOT NULL, save BLOB);
)";

// The first version held one game: it becomes game 1, its cat the one its owner ran.
const char* const FromVersion1 = R"(
CREATE TABLE games(
  id INTEGER PRIMARY KEY, career INT NOT NULL DEFAULT 0, cat INT, player TEXT, fromYear INT, toYear INT,
  catRecord BLOB, ended TEXT, endedSeq INT);
CREATE INDEX games_by_cat ON games(cat, career);
INSERT INTO games(id, cat) VALUES (1, (SELECT cat FROM runners WHERE owner = 1 ORDER BY race DESC LIMIT 1));
ALTER TABLE races ADD COLUMN game INT NOT NULL DEFAULT 1;
DROP INDEX races_by_date;
CREATE INDEX races_by_date ON races(game, ordinal);
ALTER TABLE growth RENAME TO growth_v1;
CREATE TABLE growth(
  game INT, ordinal INT, year INT, month INT, week INT, speed INT, stamina INT, power INT,
  weight REAL, condition INT, catClass INT, points INT, yearPrize INT, totalPrize INT,
  PRIMARY KEY(game, ordinal)) WITHOUT ROWID;
INSERT INTO growth
  SELECT 1, ordinal, year, month, week, speed, stamina, power, weight, condition, catClass, points,
    yearPrize, totalPrize FROM growth_v1;
DROP TABLE growth_v1;
ALTER TABLE recovery ADD COLUMN game INT NOT NULL DEFAULT 1;
)";

namespace {

void putVarint(std::vector<uint8_t>& out, uint64_t v) {
  while (v >= 0x80) {
    out.push_back(static_cast<uint8_t>(v | 0x80));
    v >>= 7;
  }
  out.push_back(static_cast<uint8_t>(v));
}

std::optional<uint64_t> getVarint(std::span<const uint8_t> in, size_t& at) {
  uint64_t v = 0;
  for (int shift = 0; at < in.size() && shift < 64; shift += 7) {
    const uint8_t b = in[at++];
    v |= static_cast<uint64_t>(b & 0x7f) << shift;
    if (!(b & 0x80)) return v;
  }
  return std::nullopt;
}

// Far above any save; a bound against a damaged size.
constexpr uint64_t kMostImageBytes = 1u << 24;
// Unchanged bytes fewer than this between two changes stay inside one run: a run costs its two
// lengths to write and a turn of the loop to find.
constexpr size_t kJoinedGap = 6;

}  // namespace

std::vector<uint8_t> packChanges(std::span<const uint8_t> base, std::span<const uint8_t> image) {
  const size_t n = image.size(), common = std::min(n, base.size());
  const auto load = [](std::span<const uint8_t> bytes, size_t at) {
    uint64_t v;
    std::memcpy(&v, bytes.data() + at, sizeof v);
    return v;
  };
  // The first changed byte from `i` on, or n; unchanged stretches are passed over eight bytes at a time.
  const auto nextChange = [&](size_t i) {
    for (; i + 8 <= common; i += 8) {
      if (const uint64_t x = load(image, i) ^ load(base, i))
        return i + static_cast<size_t>(std::endian::native == std::endian::little ? std::countr_zero(x)
                                                                                  : std::countl_zero(x)) / 8;
    }
    for (; i < n; ++i)
      if (image[i] != (i < common ? base[i] : 0)) return i;
    return n;
  };
  std::vector<uint8_t> out;
  out.reserve(n / 8);
  putVarint(out, n);
  size_t last = 0;
  for (size_t i = nextChange(0); i < n;) {
    size_t end = i + 1, next = nextChange(end);
    while (next < n && next - end < kJoinedGap) {
      end = next + 1;
      next = nextChange(end);
    }
    putVarint(out, i - last);
    putVarint(out, end - i);
    out.insert(out.end(), image.begin() + static_cast<ptrdiff_t>(i), image.begin() + static_cast<ptrdiff_t>(end));
    last = end;
    i = next;
  }
  return out;
}

std::optional<std::vector<uint8_t>> applyChanges(std::vector<uint8_t> base, std::span<const uint8_t> changes) {
  size_t at = 0;
  const auto size = getVarint(changes, at);
  if (!size || *size > kMostImageBytes) return std::nullopt;
  base.resize(*size, 0);
  uint64_t pos = 0;
  while (at < changes.size()) {
    const auto gap = getVarint(changes, at);
    const auto len = gap ? getVarint(changes, at) : std::nullopt;
    if (!len || *gap > *size - pos || *len > *size - pos - *gap || *len > changes.size() - at) return std::nullopt;
    pos += *gap;
    std::copy_n(changes.begin() + static_cast<ptrdiff_t>(at), *len, base.begin() + static_cast<ptrdiff_t>(pos));
    at += *len;
    pos += *len;
  }
  return base;
}

std::vector<uint8_t> packClock(const std::vector<uint64_t>& clock) {
  std::vector<uint8_t> out;
  uint64_t last = 0;
  for (uint64_t v : clock) {
    const auto d = static_cast<int64_t>(v - last);
    putVarint(out, (static_cast<uint64_t>(d) << 1) ^ static_cast<uint64_t>(d >> 63));
    last = v;
  }
  return out;
}

std::vector<uint64_t> unpackClock(const std::vector<uint8_t>& bytes) {
  std::vector<uint64_t> out;
  uint64_t last = 0, v = 0;
  int shift = 0;
  for (uint8_t b : bytes) {
    if (shift < 64) v |= static_cast<uint64_t>(b & 0x7f) << shift;
    shift += 7;
    if (b & 0x80) continue;
    const uint64_t d = (v >> 1) ^ (~(v & 1) + 1);
    last += d;
    out.push_back(last);
    v = 0;
    shift = 0;
  }
  return out;
}

std::vector<uint8_t> packWords(const RngSnapshot& r) {
  std::vector<uint8_t> out;
  for (uint64_t w : r.words)
    for (int b = 0; b < 8; ++b) out.push_back(static_cast<uint8_t>(w >> (8 * b)));
  return out;
}

RngSnapshot unpackWords(const std::vector<uint8_t>& bytes, bool mixesClock) {
  RngSnapshot r;
  r.mixesClock = mixesClock;
  for (size_t i = 0; i < bytes.size() && i < 32; ++i)
    r.words[i / 8] |= static_cast<uint64_t>(bytes[i]) << (8 * (i % 8));
  return r;
}

uint8_t packFlags(const std::array<uint8_t, 4>& f) {
  uint8_t v = 0;
  for (size_t i = 0; i < 4; ++i) v = static_cast<uint8_t>(v | (f[i] != 0 ? 1u << i : 0u));
  return v;
}

std::array<uint8_t, 4> unpackFlags(int64_t v) {
  std::array<uint8_t, 4> f{};
  for (size_t b = 0; b < 4; ++b) f[b] = static_cast<uint8_t>((v >> b) & 1);
  return f;
}

}  // namespace polmina::rows
