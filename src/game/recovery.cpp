#include "game/recovery.h"

#include <memory>

#include "world/text.h"

namespace polmina {

std::optional<RecoveryPoint> recoveryOffer(History& h, const std::filesystem::path& dir) {
  auto saved = std::make_unique<GameState>();
  if (!hasSaveGame(dir) || !loadGame(*saved, dir)) return h.recovery(nullptr);
  return h.recovery(saved.get());
}

StoreResult saveRecovered(const RecoveryPoint& point, const std::filesystem::path& dir) {
  auto s = std::make_unique<GameState>();
  const StoreResult loaded = loadGameBytes(*s, point.save);
  if (!loaded) return loaded;
  applySavedCaptions(*s);
  return saveGame(*s, dir);
}

std::u16string recoveryQuestion(const RecoveryPoint& point, bool saveLoads) {
  const std::u16string y = num(point.year), m = num(point.month), w = num(point.week);
  if (!saveLoads)
    return trf(u"セーブデータが読み込めないニャ。\r\nでも{year}年{month}月{week}週まで覚えているニャ。\r\nそこから続けるかニャ？",
               {{u"year", y}, {u"month", m}, {u"week", w}});
  return trf(u"前回はセーブせずに終わってしまったニャ。\r\n{year}年{month}月{week}週まで覚えているニャ。\r\nそこから続けるかニャ？\r\n（いいえならセーブデータから再開します）",
             {{u"year", y}, {u"month", m}, {u"week", w}});
}

}  // namespace polmina
