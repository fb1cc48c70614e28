// The season plan in the history: the races the player aims the cat at and the cats the player
// follows, per career. Their tables are made when the player first marks something, so a file in
// which nobody planned keeps every byte it had.
#include <algorithm>

#include "history/history.h"
#include "history/internal.h"
#include "history/sqlite.h"

namespace polmina {

namespace {

const char* const kPlanTables = R"(
CREATE TABLE IF NOT EXISTS targets(
  game INT NOT NULL, year INT NOT NULL, slot INT NOT NULL, missed INT NOT NULL DEFAULT 0,
  PRIMARY KEY(game, year, slot)) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS followed(
  id INTEGER PRIMARY KEY, game INT NOT NULL, cat INT NOT NULL, catRecord BLOB,
  retired INT NOT NULL DEFAULT 0, toldEntry INT NOT NULL DEFAULT -1, UNIQUE(game, cat));
)";

}  // namespace

bool isFollowedCat(const FollowedCat& f, const CatRecord& c) {
  return c.breed == f.breed && c.sex == f.sex && c.peakAge == f.peakAge && c.adultWeight == f.adultWeight &&
         trimView(c.name) == f.name;
}

bool History::hasPlanTables() {
  return db_->scalar("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = 'targets'") != 0;
}

void History::makePlanTables() { db_->exec(kPlanTables); }

std::vector<TargetRace> History::targets(const GameState& s) {
  std::vector<TargetRace> out;
  guarded([&] {
    if (!hasPlanTables()) return;
    sql::Statement q =
        db_->prepare("SELECT year, slot, missed FROM targets WHERE game = ?1 ORDER BY year, slot");
    q.row(gameOf(s, false));
    while (q.step())
      out.push_back({static_cast<int>(q.integer(0)), static_cast<int>(q.integer(1)), q.integer(2) != 0});
  });
  return out;
}

void History::setTarget(const GameState& s, int year, int slot, bool on) {
  guarded([&] {
    sql::Transaction t(*db_);
    makePlanTables();
    const int64_t game = gameOf(s, true);
    if (on)
      db_->prepare("INSERT OR IGNORE INTO targets(game, year, slot) VALUES (?1, ?2, ?3)")
          .row(game, year, slot)
          .run();
    else
      db_->prepare("DELETE FROM targets WHERE game = ?1 AND year = ?2 AND slot = ?3")
          .row(game, year, slot)
          .run();
    t.commit();
  });
}

void History::targetMissed(const GameState& s, int year, int slot) {
  guarded([&] {
    sql::Transaction t(*db_);
    makePlanTables();
    db_->prepare("UPDATE targets SET missed = 1 WHERE game = ?1 AND year = ?2 AND slot = ?3")
        .row(gameOf(s, true), year, slot)
        .run();
    t.commit();
  });
}

std::vector<FollowedCat> History::followed(const GameState& s) {
  std::vector<FollowedCat> out;
  guarded([&] {
    if (!hasPlanTables()) return;
    sql::Statement q = db_->prepare(R"(
      SELECT f.cat, c.name, c.breed, c.sex, c.peakAge, c.adultWeight, f.catRecord, f.retired, f.toldEntry
      FROM followed f JOIN cats c ON c.id = f.cat WHERE f.game = ?1 ORDER BY f.id)");
    q.row(gameOf(s, false));
    while (q.step()) {
      FollowedCat f;
      f.id = q.integer(0);
      f.name = fromUtf8(q.text(1));
      f.breed = static_cast<int>(q.integer(2));
      f.sex = static_cast<int>(q.integer(3));
      f.peakAge = static_cast<int>(q.integer(4));
      f.adultWeight = q.real(5);
      const std::vector<uint8_t> bytes = q.blob(6);
      if (bytes.size() == FileRecordLength) {
        RecordBytes r{};
        std::copy(bytes.begin(), bytes.end(), r.begin());
        f.last = decodeCat(r);
      }
      f.retired = q.integer(7) != 0;
      f.toldEntry = q.integer(8);
      out.push_back(std::move(f));
    }
  });
  return out;
}

void History::follow(const GameState& s, const CatRecord& c, bool on) {
  guarded([&] {
    sql::Transaction t(*db_);
    makePlanTables();
    const int64_t game = gameOf(s, true);
    const int64_t cat = catId(CatKey::of(c), true);
    if (on)
      db_->prepare("INSERT OR IGNORE INTO followed(game, cat, catRecord) VALUES (?1, ?2, ?3)")
          .row(game, cat, recordBytes(c))
          .run();
    else
      db_->prepare("DELETE FROM followed WHERE game = ?1 AND cat = ?2").row(game, cat).run();
    t.commit();
  });
}

void History::followedSeen(const GameState& s, const FollowedCat& f) {
  guarded([&] {
    sql::Transaction t(*db_);
    makePlanTables();
    db_->prepare(
           "UPDATE followed SET catRecord = ?3, retired = ?4, toldEntry = ?5 WHERE game = ?1 AND cat = ?2")
        .row(gameOf(s, true), f.id, recordBytes(f.last), f.retired ? 1 : 0, f.toldEntry)
        .run();
    t.commit();
  });
}

HeadToHead History::headToHead(const GameState& s, int64_t cat) {
  HeadToHead out;
  guarded([&] {
    const int64_t game = gameOf(s, false);
    if (game == 0) return;
    sql::Statement q = db_->prepare(R"(
      SELECT COUNT(*), IFNULL(SUM(them.place > 0 AND (me.place = 0 OR them.place < me.place)), 0)
      FROM races r JOIN runners me ON me.race = r.id JOIN runners them ON them.race = r.id
      WHERE r.game = ?1 AND me.cat = (SELECT cat FROM games WHERE id = ?1) AND them.cat = ?2)");
    if (q.row(game, cat).step()) out = {static_cast<int>(q.integer(0)), static_cast<int>(q.integer(1))};
  });
  return out;
}

}  // namespace polmina
