// What the history shows: formbooks, growth, races to run again, and the hall of fame.
#include "history/history.h"
#include "history/internal.h"
#include "history/rows.h"
#include "history/sqlite.h"
#include "store/record.h"
#include "world/text.h"

namespace polmina {

std::vector<FormbookRow> History::formbook(const CatRecord& cat) {
  std::vector<FormbookRow> rows;
  guarded([&] {
    const int64_t id = catId(CatKey::of(cat), false);
    if (id != 0) rows = formbookOf(currentOrLatest(), id);
  });
  return rows;
}

std::vector<FormbookRow> History::formbookOf(int64_t game, int64_t cat) {
  sql::Statement q = db_->prepare(R"(
    SELECT r.year, r.month, r.week, r.slot, r.raceName, r.distance,
      (SELECT COUNT(*) FROM runners x WHERE x.race = r.id), me.place, me.prize, r.id,
      (SELECT c.name FROM runners w JOIN cats c ON c.id = w.cat WHERE w.race = r.id AND w.place = 1),
      (SELECT c.name FROM runners w JOIN cats c ON c.id = w.cat WHERE w.race = r.id AND w.place = 2)
    FROM runners me JOIN races r ON r.id = me.race
    WHERE me.cat = ?1 AND r.game = ?2
    ORDER BY r.ordinal DESC, r.slot DESC)");
  q.row(cat, game);
  std::vector<FormbookRow> rows;
  while (q.step()) {
    FormbookRow f;
    const auto i = [&](int col) { return static_cast<int>(q.integer(col)); };
    f.year = i(0), f.month = i(1), f.week = i(2), f.slot = i(3);
    f.raceName = fromUtf8(q.text(4));
    f.distance = i(5), f.runners = i(6), f.place = i(7), f.prize = i(8);
    f.raceId = q.integer(9);
    f.winner = fromUtf8(q.text(10));
    f.second = fromUtf8(q.text(11));
    rows.push_back(std::move(f));
  }
  return rows;
}

std::optional<std::u16string> History::winnerOf(int year, int slot) {
  std::optional<std::u16string> name;
  guarded([&] {
    sql::Statement q = db_->prepare(R"(
      SELECT c.name FROM races r JOIN runners w ON w.race = r.id JOIN cats c ON c.id = w.cat
      WHERE r.game = ?1 AND r.year = ?2 AND r.slot = ?3 AND w.place = 1
      ORDER BY r.ordinal DESC LIMIT 1)");
    if (q.row(currentOrLatest(), year, slot).step()) name = fromUtf8(q.text(0));
  });
  return name;
}

std::vector<GrowthRow> History::growth() {
  std::vector<GrowthRow> rows;
  guarded([&] { rows = growthOf(currentOrLatest()); });
  return rows;
}

std::vector<GrowthRow> History::growthOf(int64_t game) {
  sql::Statement q = db_->prepare(R"(
    SELECT year, month, week, speed, stamina, power, weight, condition, catClass, points, yearPrize,
      totalPrize
    FROM growth WHERE game = ?1 ORDER BY ordinal)");
  q.row(game);
  std::vector<GrowthRow> rows;
  while (q.step()) {
    const auto i = [&](int col) { return static_cast<int32_t>(q.integer(col)); };
    rows.push_back({i(0), i(1), i(2), i(3), i(4), i(5), q.real(6), i(7), i(8), i(9), i(10), i(11)});
  }
  return rows;
}

std::optional<RecordedRace> History::race(int64_t raceId) {
  std::optional<RecordedRace> out;
  guarded([&] {
    sql::Statement q = db_->prepare(R"(
      SELECT year, month, week, slot, raceName, raceClass, distance, slotPrize, watched, replayable,
        rngWords, mixesClock, clock
      FROM races WHERE id = ?1)");
    if (!q.row(raceId).step()) return;
    RecordedRace r;
    const auto i = [&](int col) { return static_cast<int>(q.integer(col)); };
    r.id = raceId;
    r.year = i(0), r.month = i(1), r.week = i(2), r.slot = i(3);
    r.raceName = fromUtf8(q.text(4));
    r.raceClass = i(5), r.distance = i(6), r.slotPrize = i(7);
    r.watched = i(8) != 0, r.replayable = i(9) != 0;
    r.rng = rows::unpackWords(q.blob(10), i(11) != 0);
    r.clock = rows::unpackClock(q.blob(12));
    sql::Statement f = db_->prepare(R"(
      SELECT c.name, c.breed, w.age, c.sex, w.catClass, w.owner, w.speed, w.stamina, w.power, w.condition,
        c.peakAge, c.adultWeight, w.effort, w.cruise, w.staminaLeft, w.styleFlags, w.place, w.prize
      FROM runners w JOIN cats c ON c.id = w.cat WHERE w.race = ?1 ORDER BY w.gate)");
    f.row(raceId);
    while (f.step()) {
      RecordedRunner x;
      const auto n = [&](int col) { return static_cast<int32_t>(f.integer(col)); };
      x.name = fromUtf8(f.text(0));
      x.breed = n(1), x.age = n(2), x.sex = n(3), x.catClass = n(4), x.owner = n(5);
      x.speed = n(6), x.stamina = n(7), x.power = n(8), x.condition = n(9), x.peakAge = n(10);
      x.adultWeight = f.real(11);
      x.effort = n(12), x.cruise = n(13), x.staminaLeft = n(14);
      x.styleFlags = rows::unpackFlags(f.integer(15));
      x.place = n(16), x.prize = n(17);
      r.field.push_back(std::move(x));
    }
    out = std::move(r);
  });
  return out;
}

// ---- the hall of fame

namespace {

constexpr const char* kCareerColumns = R"(
  SELECT g.id, g.player, g.fromYear, g.toYear, g.catRecord, g.ended, c.name, c.breed, c.sex
  FROM games g LEFT JOIN cats c ON c.id = g.cat WHERE g.career = 1)";

}  // namespace

// A career from a row of kCareerColumns. A game of the first version of the file may lack the cat's
// record: its name, breed and sex are still known.
std::optional<Career> History::careerOf(sql::Statement& q) {
  if (!q.step()) return std::nullopt;
  Career c;
  c.id = q.integer(0);
  c.player = fromUtf8(q.text(1));
  c.fromYear = static_cast<int>(q.integer(2));
  c.toYear = static_cast<int>(q.integer(3));
  const auto bytes = q.blob(4);
  if (bytes.size() == FileRecordLength) {
    RecordBytes r{};
    std::copy(bytes.begin(), bytes.end(), r.begin());
    c.cat = decodeCat(r);
    cleanName(c.cat);
  } else {
    c.cat.name = padRight(fromUtf8(q.text(6)), CatNameLength);
    c.cat.breed = static_cast<uint8_t>(q.integer(7));
    c.cat.sex = static_cast<uint8_t>(q.integer(8));
  }
  c.ended = fromUtf8(q.text(5));
  return c;
}

std::vector<Career> History::careers() {
  std::vector<Career> out;
  guarded([&] {
    sql::Statement q = db_->prepare(std::string(kCareerColumns) + " ORDER BY g.endedSeq DESC");
    while (auto c = careerOf(q)) out.push_back(std::move(*c));
  });
  return out;
}

std::optional<Career> History::career(int64_t id) {
  std::optional<Career> out;
  guarded([&] {
    sql::Statement q = db_->prepare(std::string(kCareerColumns) + " AND g.id = ?1");
    q.row(id);
    out = careerOf(q);
  });
  return out;
}

std::vector<FormbookRow> History::careerFormbook(int64_t id) {
  std::vector<FormbookRow> rows;
  guarded([&] {
    sql::Statement q = db_->prepare("SELECT cat FROM games WHERE id = ?1 AND career = 1");
    if (q.row(id).step()) rows = formbookOf(id, q.integer(0));
  });
  return rows;
}

std::vector<GrowthRow> History::careerGrowth(int64_t id) {
  std::vector<GrowthRow> rows;
  guarded([&] { rows = growthOf(id); });
  return rows;
}

// The game goes to the hall as it stands: a career of its own with copies of the races its cat ran and
// of its growth, so that the game itself may still be taken up and played on. A cat has one career:
// an earlier one of the same cat gives way.
void History::archive(int64_t game, const std::u16string& ended) {
  sql::Statement from = db_->prepare("SELECT cat FROM games WHERE id = ?1");
  if (!from.row(game).step()) return;
  const int64_t cat = from.integer(0);
  sql::Statement earlier = db_->prepare("SELECT id FROM games WHERE cat = ?1 AND career = 1");
  earlier.row(cat);
  std::vector<int64_t> gone;
  while (earlier.step()) gone.push_back(earlier.integer(0));
  for (int64_t id : gone) dropGame(id);

  db_->prepare(R"(
    INSERT INTO games(career, cat, player, fromYear, toYear, catRecord, ended, endedSeq)
    SELECT 1, cat, player, fromYear, toYear, catRecord, ?2,
      (SELECT IFNULL(MAX(endedSeq), 0) + 1 FROM games)
    FROM games WHERE id = ?1)")
      .row(game, toUtf8(ended))
      .run();
  const int64_t career = db_->lastInsertId();
  sql::Statement own = db_->prepare(R"(
    SELECT r.id FROM races r JOIN runners w ON w.race = r.id WHERE r.game = ?1 AND w.cat = ?2 ORDER BY r.id)");
  own.row(game, cat);
  std::vector<int64_t> races;
  while (own.step()) races.push_back(own.integer(0));
  sql::Statement copyRace = db_->prepare(R"(
    INSERT INTO races(game, ordinal, year, month, week, slot, raceName, raceClass, distance, slotPrize,
      watched, replayable, rngWords, mixesClock, clock)
    SELECT ?2, ordinal, year, month, week, slot, raceName, raceClass, distance, slotPrize, watched,
      replayable, rngWords, mixesClock, clock
    FROM races WHERE id = ?1)");
  sql::Statement copyField = db_->prepare(R"(
    INSERT INTO runners(race, gate, cat, age, catClass, owner, speed, stamina, power, condition, effort,
      cruise, staminaLeft, styleFlags, place, prize)
    SELECT ?2, gate, cat, age, catClass, owner, speed, stamina, power, condition, effort, cruise,
      staminaLeft, styleFlags, place, prize
    FROM runners WHERE race = ?1)");
  for (int64_t race : races) {
    copyRace.row(race, career).run();
    copyField.row(race, db_->lastInsertId()).run();
  }
  db_->prepare(R"(
    INSERT INTO growth(game, ordinal, year, month, week, speed, stamina, power, weight, condition,
      catClass, points, yearPrize, totalPrize)
    SELECT ?2, ordinal, year, month, week, speed, stamina, power, weight, condition, catClass, points,
      yearPrize, totalPrize
    FROM growth WHERE game = ?1)")
      .row(game, career)
      .run();
}

}  // namespace polmina
