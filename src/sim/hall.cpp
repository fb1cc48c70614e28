// polmina-sim's view of what the player keeps: the hall of fame and the save's backups.
#include "game/hall.h"

#include <filesystem>
#include <iostream>

#include "sim/commands.h"
#include "sim/json.h"
#include "sim/support.h"
#include "store/backups.h"
#include "store/savefile.h"
#include "world/text.h"

namespace polmina::sim {

namespace {

using nlohmann::ordered_json;

ordered_json careerJson(const Career& c) {
  const CatRecord& cat = c.cat;
  return {{"id", c.id},
          {"player", toUtf8(c.player)},
          {"cat", toUtf8(trim(cat.name))},
          {"breed", cat.breed},
          {"fromYear", c.fromYear},
          {"toYear", c.toYear},
          {"starts", cat.starts},
          {"wins", cat.wins},
          {"prize", cat.totalPrize},
          {"catClass", cat.catClass},
          {"titles", toUtf8(careerTitle(c))},
          {"ended", toUtf8(c.ended)}};
}

}  // namespace

int showHall(const ShowOptions& o) {
  const bool one = o.what == "career";
  if (one != o.number.has_value()) {
    fail(one ? tr(u"殿堂の番号を指定してください。") : tr(u"余分な引数があります。"));
    return ExitBadArgument;
  }
  auto h = openHistory(o.dir, HistoryAccess::Read);
  if (!one) {
    ordered_json out = ordered_json::array();
    for (const Career& c : h->careers()) out.push_back(careerJson(c));
    std::cout << out.dump() << "\n";
    return ExitOk;
  }
  const auto c = h->career(*o.number);
  if (!c) {
    fail(tr(u"その番号の経歴は殿堂にありません。"));
    return ExitBadArgument;
  }
  ordered_json out = careerJson(*c);
  std::string record = toUtf8(careerText(*c));
  std::erase(record, '\r');
  out["record"] = record;
  out["formbook"] = formbookJson(h->careerFormbook(c->id));
  out["growth"] = growthJson(h->careerGrowth(c->id));
  std::cout << out.dump() << "\n";
  return ExitOk;
}

int showBackups(const ShowOptions& o) {
  if (o.number) {
    fail(tr(u"余分な引数があります。"));
    return ExitBadArgument;
  }
  ordered_json out = ordered_json::array();
  for (const BackupInfo& b : listBackups(o.dir)) {
    ordered_json j{{"n", b.n},
                   {"file", (std::filesystem::path(BackupFolderName) / b.file.filename()).string()}};
    if (b.loads) {
      j["year"] = b.year;
      j["month"] = b.month;
      j["week"] = b.week;
    } else {
      j["year"] = j["month"] = j["week"] = nullptr;
    }
    j["bytes"] = b.bytes;
    out.push_back(std::move(j));
  }
  std::cout << out.dump() << "\n";
  return ExitOk;
}

int runRestore(const std::string& dir, int n) {
  const auto lock = lockFolder(dir);
  if (!lock) return ExitLocked;
  if (n < 1 || static_cast<size_t>(n) > listBackups(dir).size()) {
    fail(tr(u"その番号のバックアップはありません。"));
    return ExitBadArgument;
  }
  const auto h = openHistory(dir);
  const SaveWitness witness(*h);
  const StoreResult r = restoreBackup(dir, n);
  if (!r.message.empty()) fail(r.message);
  if (!r) return ExitNoGame;
  // The weeks the history kept past the save that was put aside are not offered again.
  h->forgetRecovery();
  return ExitOk;
}

}  // namespace polmina::sim
