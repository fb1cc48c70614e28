#include "game/recovery.h"

#include <memory>

#include "world/text.h"

namespace polmina {

std::optional<RecoveryPoint> recoveryOffer(History& h, const std::filesystem::path& dir) {
  auto saved = std::make_unique<GameState>();
  if (!hasSaveGame(dir) || !loadGame(*saved, dir)) return h.recovery(0, 1, 1);
  return h.recovery(saved->year, saved->month, saved->week);
}

StoreResult saveRecovered(const RecoveryPoint& point, const std::filesystem::path& dir) {
  auto s = std::make_unique<GameState>();
  const StoreResult loaded = loadGameBytes(*s, point.save);
  if (!loaded) return loaded;
  applySavedCaptions(*s);
  return saveGame(*s, dir);
}

std::u16string recoveryQuestion(const RecoveryPoint& point) {
  return trf(u"前回はセーブせずに終わってしまったニャ。\r\n{year}年{month}月{week}週まで覚えているニャ。\r\nそこから続けるかニャ？\r\n（いいえならセーブデータから再開します）",
             {{u"year", num(point.year)}, {u"month", num(point.month)}, {u"week", num(point.week)}});
}

}  // namespace polmina
