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
  const std::u16string when = num(point.year) + u"年" + num(point.month) + u"月" + num(point.week) + u"週";
  if (!saveLoads)
    return u"セーブデータが読み込めないニャ。\r\nでも" + when +
           u"まで覚えているニャ。\r\nそこから続けるかニャ？";
  return u"前回はセーブせずに終わってしまったニャ。\r\n" + when +
         u"まで覚えているニャ。\r\nそこから続けるかニャ？\r\n（いいえならセーブデータから再開します）";
}

}  // namespace polmina
