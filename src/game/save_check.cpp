#include "game/save_check.h"

#include "store/file_io.h"
#include "store/savefile.h"
#include "world/text.h"

namespace polmina {

namespace {

std::optional<bool> written(History& h, const std::filesystem::path& file) {
  std::vector<uint8_t> bytes;
  if (readWholeFile(file, bytes) != 0) return std::nullopt;
  return h.wroteSave(bytes);
}

}  // namespace

SaveCheck checkSaveFile(History& h, const std::filesystem::path& dir) {
  SaveCheck c;
  c.changed = written(h, savePath(dir)) == false;
  if (!c.changed) return c;
  for (BackupInfo& b : listBackups(dir))
    if (b.loads && written(h, b.file) == true) {
      c.backup = std::move(b);
      break;
    }
  return c;
}

std::u16string changedSaveQuestion(const SaveCheck& c) {
  std::u16string q = tr(u"セーブデータは、ゲームがセーブしたあとで書き換えられています。");
  if (!c.backup) return q + u"\r\n" + tr(u"このまま読み込みますか？");
  const BackupInfo& b = *c.backup;
  return q + u"\r\n" +
         trf(u"ゲームがセーブした{year}年{month}月{week}週のバックアップから再開しますか？\r\n（いいえならセーブデータをそのまま読み込みます）",
             {{u"year", num(b.year)}, {u"month", num(b.month)}, {u"week", num(b.week)}});
}

}  // namespace polmina
