#include "ui/title_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <memory>

#include "game/recovery.h"
#include "game/resume.h"
#include "game/save_check.h"
#include "store/backups.h"
#include "ui/accessible.h"
#include "ui/fonts.h"
#include "ui/hall_window.h"
#include "ui/keyboard.h"
#include "ui/launch.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/resources.h"
#include "ui/sound_menu.h"
#include "ui/widgets.h"
#include "ui/window_manager.h"
#include "ui/wizard_window.h"
#include "world/calendar.h"
#include "world/text.h"

namespace polmina {

namespace {


bool savedGameLoads(const std::filesystem::path& dir) {
  auto s = std::make_unique<GameState>();
  return loadGame(*s, dir).ok;
}

}  // namespace

TitleWindow::TitleWindow(WindowManager& wm) : wm_(wm) {
  setObjectName(QStringLiteral("OpeningFm"));
  setWindowTitle(qtr(u"11種ポルミナF"));
  // The picture is drawn for the whole window, frame included: its middle shows.
  auto* image = makeLabel(this, {}, {-3, -6, 295, 238}, QStringLiteral("Image1"));
  image->setPixmap(loadPicture(QStringLiteral(":/art/title.png")));
  image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  image->setAccessibleName(qtr(u"11種ポルミナF"));
  but_[0] = makeButton(this, qtr(u"最初から"), {36, 182, 100, 24}, QStringLiteral("But0"));
  but_[1] = makeButton(this, qtr(u"続きから"), {153, 182, 100, 24}, QStringLiteral("But1"));
  for (QPushButton* b : but_) {
    b->setFont(gothic(9, true));
    clickOnEnter(b);
  }
  connect(but_[0], &QPushButton::clicked, this, &TitleWindow::newGame);
  connect(but_[1], &QPushButton::clicked, this, &TitleWindow::resume);
  addHallCommand(this, wm_.session());
  // No game is in progress here: a new size is applied by starting the program again at once.
  QMenu* menu = addDisplaySizeMenu(this, wm_.session().ui, [this] {
    requestRestart();
    wm_.quit();
  });
  addSoundMenu(menu, this);
}

void TitleWindow::enableButtons(bool on) {
  for (QPushButton* b : but_) b->setEnabled(on);
}

void TitleWindow::newGame() {
  enableButtons(false);
  hide();
  wm_.showWindow(GameWindow::Wizard);
}

// The last run ended without the save flow: the history's last closed week is offered first.
bool TitleWindow::recover() {
  Session& se = wm_.session();
  if (!se.history) return false;
  const auto point = recoveryOffer(*se.history, se.paths.saveDir);
  tellHistoryProblem(se);
  const SaveState save = saveState(se.paths.saveDir);
  const bool saveLoads =
      save == SaveState::None || (save == SaveState::Game && savedGameLoads(se.paths.saveDir));
  if (!point || !se.ui.askYesNo(Question::OfferRecovery, BoxTitle, recoveryQuestion(*point, saveLoads))) return false;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const StoreResult loaded = resumeSavedBytes(se.g.s, point->save);
  if (!loaded) {
    QApplication::restoreOverrideCursor();
    se.ui.tell(Question::LoadFailed, BoxTitle, loaded.message);
    return false;
  }
  enterGame();
  return true;
}

void TitleWindow::enterGame() {
  Session& se = wm_.session();
  // Weeks after the one the game goes on from belong to a timeline the player left.
  takeUpGame(se.g);
  recallOverwrittenWinner(se.g.s, se.history);
  enableButtons(false);
  QCoreApplication::processEvents();
  wm_.showWindow(GameWindow::Main);
  hide();
  QApplication::restoreOverrideCursor();
  wm_.mainWindow().showChatter();
}

void TitleWindow::resume() {
  enableButtons(false);
  Session& se = wm_.session();
  GameState& s = se.g.s;
  fillCalendar(s);
  enableButtons(true);
  if (recover()) return;
  switch (saveState(se.paths.saveDir)) {
    case SaveState::None:
      se.ui.tell(Question::NoSave, BoxTitle, polmina::tr(u"セーブデータが見つかりません"));
      return;
    case SaveState::Unreadable:
      se.ui.tell(Question::LoadFailed, BoxTitle, loadGame(s, se.paths.saveDir).message);
      return;
    case SaveState::NotAGame:
      if (!offerBackup(polmina::tr(u"セーブデータが壊れています。")))
        se.ui.tell(Question::LoadFailed, BoxTitle, polmina::tr(u"セーブデータが壊れているため読み込めません。"));
      return;
    case SaveState::Game:
      resumeSaved();
      return;
  }
}

void TitleWindow::resumeSaved() {
  Session& se = wm_.session();
  GameState& s = se.g.s;
  if (se.history) {
    const SaveCheck check = checkSaveFile(*se.history, se.paths.saveDir);
    if (check.changed && takeWrittenBackup(check)) return;
  }
  if (!se.ui.askYesNo(Question::Resume, BoxTitle, polmina::tr(u"ゲームを再開します。"))) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const StoreResult loaded = resumeSavedGame(s, se.paths.saveDir);
  if (!loaded) {
    // A damaged save is refused and the game stays as the start-up left it; a backup may stand in.
    QApplication::restoreOverrideCursor();
    if (!offerBackup(loaded.message)) se.ui.tell(Question::LoadFailed, BoxTitle, loaded.message);
    return;
  }
  enterGame();
}

// The newest backup that loads, offered with its date when the save cannot be used. False when there
// is none; true when the player has answered.
bool TitleWindow::offerBackup(const std::u16string& why) {
  Session& se = wm_.session();
  const auto backup = newestLoadableBackup(se.paths.saveDir);
  if (!backup) return false;
  const std::u16string question =
      why + u"\r\n" +
      trf(u"{year}年{month}月{week}週のバックアップから再開しますか？",
          {{u"year", num(backup->year)}, {u"month", num(backup->month)}, {u"week", num(backup->week)}});
  if (!se.ui.askYesNo(Question::OfferBackup, BoxTitle, question)) return true;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  StoreResult r = restoreBackup(se.paths.saveDir, backup->n);
  if (r) r = resumeSavedGame(se.g.s, se.paths.saveDir);
  if (!r) {
    QApplication::restoreOverrideCursor();
    se.ui.tell(Question::LoadFailed, BoxTitle, r.message);
    return true;
  }
  enterGame();
  return true;
}

// A save the game did not write: the newest backup it wrote (yes), or the save as it is (no; it may
// have been copied in on purpose). True when the player has been taken into a game or said no to all.
bool TitleWindow::takeWrittenBackup(const SaveCheck& check) {
  Session& se = wm_.session();
  const bool yes = se.ui.askYesNo(Question::ChangedSave, BoxTitle, changedSaveQuestion(check));
  if (!check.backup) return !yes;
  if (!yes) return false;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  StoreResult r = restoreBackup(se.paths.saveDir, check.backup->n);
  if (r) r = resumeSavedGame(se.g.s, se.paths.saveDir);
  QApplication::restoreOverrideCursor();
  if (!r) {
    se.ui.tell(Question::LoadFailed, BoxTitle, r.message);
    return true;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  enterGame();
  return true;
}

void TitleWindow::closeEvent(QCloseEvent* e) {
  e->accept();
  wm_.quit();
}

}  // namespace polmina
