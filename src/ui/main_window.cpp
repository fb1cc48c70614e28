#include "ui/main_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>

#include "game/autoplay.h"
#include "game/career.h"
#include "game/commands.h"
#include "game/home.h"
#include "game/resume.h"
#include "rank/lists.h"
#include "ui/accessible.h"
#include "ui/cat_details.h"
#include "ui/cat_picture.h"
#include "ui/chatter_window.h"
#include "ui/fast_forward.h"
#include "ui/fonts.h"
#include "ui/history_windows.h"
#include "ui/keyboard.h"
#include "ui/panels.h"
#include "ui/plan_windows.h"
#include "ui/qt_text.h"
#include "ui/registration_panel.h"
#include "ui/small_windows.h"
#include "ui/sound.h"
#include "ui/sound_menu.h"
#include "ui/training_panel.h"
#include "ui/week_panels.h"
#include "ui/widgets.h"
#include "ui/window_manager.h"

namespace polmina {

namespace {

int at(Command c) { return static_cast<int>(c); }
// Each command's caption, and where its button sits (column x, row y), in the order of the commands.
const char* const kCaptions[CommandCount] = {N_("Ａ戦"), N_("現役"), N_("引退"), N_("登録"),    N_("調教"), N_("次週"),
                                         N_("休養"), N_("新聞"), N_("ﾍﾙﾌﾟ"), N_("ﾊﾞｰｼﾞｮﾝ"), N_("飼猫"), N_("終了")};
// One key per command, whatever its caption at the moment.
constexpr QKeyCombination kCommandKeys[CommandCount] = {
    Qt::CTRL | Qt::Key_A, Qt::CTRL | Qt::Key_L, Qt::CTRL | Qt::Key_H, Qt::CTRL | Qt::Key_B,
    Qt::CTRL | Qt::Key_T, Qt::CTRL | Qt::Key_N, Qt::CTRL | Qt::Key_K, Qt::CTRL | Qt::Key_P,
    QKeyCombination(Qt::Key_F1), Qt::CTRL | Qt::Key_I, Qt::CTRL | Qt::Key_M, Qt::CTRL | Qt::Key_Q};
constexpr QPoint kButtonAt[CommandCount] = {{192, 195}, {192, 177}, {240, 177}, {144, 177},
                                        {144, 195}, {240, 195}, {96, 195},  {96, 177},
                                        {48, 195},  {0, 177},   {48, 177},  {0, 195}};
// The commands that open a panel over the home view (and close it again).
constexpr Command kPanelCommands[] = {Command::Champions, Command::ActiveCats, Command::RetiredCats,
                                      Command::Registration, Command::Training};

OpenPanel panelOf(Command c) {
  switch (c) {
    case Command::Champions: return OpenPanel::Champions;
    case Command::ActiveCats: return OpenPanel::ActiveCats;
    case Command::RetiredCats: return OpenPanel::RetiredCats;
    case Command::Registration: return OpenPanel::Registration;
    case Command::Training: return OpenPanel::Training;
    default: return OpenPanel::None;
  }
}

// Training and booking are closed with ＯＫ (Enter), the lists and the champions with 戻る; Esc closes
// every one of them.
bool closedWithOk(OpenPanel p) { return p == OpenPanel::Training || p == OpenPanel::Registration; }

}  // namespace

MainWindow::MainWindow(WindowManager& wm) : wm_(wm), se_(wm.session()), s_(wm.session().g.s) {
  setObjectName(QStringLiteral("MainFm"));
  setWindowTitle(qtr(u"11種ポルミナF"));
  buildHomeView();
  catList_ = new CatListPanel(se_.g, this);
  training_ = new TrainingPanel(s_, this);
  registration_ = new RegistrationPanel(se_.g, this);
  week_ = new WeekPanels(s_, se_.ui, this, [this](QWidget* p) { showPanel(p); });
  champions_ = new ChampionsPanel(s_, this);
  catList_->setGeometry(0, 240, 289, 161);
  training_->setGeometry(340, 16, 289, 161);
  registration_->setGeometry(340, 240, 289, 161);
  champions_->setGeometry(600, 0, 289, 161);
  // Panels cover the home view while they are shown.
  for (QWidget* p :
       std::initializer_list<QWidget*>{catList_, training_, registration_, champions_})
    p->setAutoFillBackground(true);
  chainPanelAfter(but(Command::ActiveCats), catList_);
  chainPanelAfter(but(Command::Registration), registration_);
  chainPanelAfter(but(Command::Training), training_);
  chainPanelAfter(but(Command::NextWeek), week_->results());
  chainPanelAfter(but(Command::NextWeek), week_->awards());
  hidePanels();
  connect(training_, &TrainingPanel::trainingChanged, this, &MainWindow::showNotice);
  connect(registration_, &RegistrationPanel::nextRaceChanged, details_, &CatDetails::setNextRace);
  connect(registration_, &RegistrationPanel::nextRaceChanged, this, &MainWindow::showNotice);
  installHistoryCommands(this, se_, details_->details(), catList_->list());
  QMenu* sizes = addDisplaySizeMenu(this, se_.ui);
  addSoundMenu(sizes, this);
  // 早送り leads the window's context menu.
  fastForward_ = new FastForward(*this, se_, week_->results());
  sizes->insertAction(sizes->actions().value(0), fastForward_->action());
  installPlanCommands(this, se_, details_->details(), sizes);
  offerFollowing(week_->results(), se_, [this] { return activeCatsInResults(s_); });
  // The details panel has a context menu of its own (the history's); 早送り and the size are offered
  // there too.
  details_->details()->addAction(fastForward_->action());
  details_->details()->addActions(displaySizeSubmenus(sizes));
  // The picture is the cat panel's too: its menu, by a right click or by the keys, is the panel's.
  pic_->setContextMenuPolicy(Qt::ActionsContextMenu);
  pic_->addActions(details_->details()->actions());
}

MainWindow::~MainWindow() = default;

void MainWindow::buildHomeView() {
  // Room for the longest date ("2003年12月3週", wider drawn at the larger sizes), kept off the right edge.
  labNen_ = makeBoldLabel(this, {128, 1, 157, 17}, 12, QStringLiteral("labNen"));
  labNen_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  pic_ = new CatPicture(s_, idleRng_, this);
  pic_->setGeometry(20, 20, 80, 80);
  connect(pic_, &CatPicture::clicked, this, &MainWindow::catClicked);
  details_ = new CatDetails(se_.g, this);
  connect(details_, &CatDetails::recordAsked, this, [this] {
    findPlayerCat(s_);
    showCareerRecord(se_.g, s_.playerCat, CareerView::Active);
  });
  connect(details_, &CatDetails::styleChosen, this, &MainWindow::describeNextWeek);
  labComment_ = makeBoldLabel(this, {0, 162, 288, 13}, 9, QStringLiteral("labComment"));
  labComment_->setText(qs(polmina::tr(s_.noticeLine)));
  buildButtons();
}

void MainWindow::buildButtons() {
  for (int i = 0; i < CommandCount; ++i) {
    const auto c = static_cast<Command>(i);
    const QRect at(kButtonAt[i], QSize(48, 18));
    const QString name = QStringLiteral("but%1").arg(i);
    // 次週 is the bold one, at every scale.
    but_[i] = c == Command::NextWeek ? placeButton(new BoldButton(qtr(kCaptions[i]), this), at, name)
                                     : makeButton(this, qtr(kCaptions[i]), at, name);
    connect(but_[i], &QPushButton::clicked, this, [this, c] { command(c); });
    setCommandKey(but_[i], kCommandKeys[i]);
  }
  but(Command::NextWeek)->setFont(gothic(9, true));
  // Tab follows the layout: the running styles, then the upper row and the lower row left to right.
  using C = Command;
  const auto& opt = details_->options();
  chainFocus({opt[0], opt[1], opt[2], opt[3], but(C::Version), but(C::Pet), but(C::Newspaper),
              but(C::Registration), but(C::ActiveCats), but(C::RetiredCats), but(C::Quit), but(C::Help),
              but(C::Rest), but(C::Training), but(C::Champions), but(C::NextWeek)});
}

QPushButton* MainWindow::buttonForKey(int key) const {
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  if (!enter && key != Qt::Key_Escape) return nullptr;
  // A list takes Enter for its own rows.
  if (enter && qobject_cast<QAbstractItemView*>(focusWidget())) return nullptr;
  // The week waits for the results' or the awards' OK.
  if (enter && week_->waitingOk() && week_->waitingOk()->isEnabled()) return week_->waitingOk();
  for (Command c : kPanelCommands)
    if (panel_ == panelOf(c) && (closedWithOk(panel_) || !enter) && but_[at(c)]->isEnabled())
      return but_[at(c)];
  return nullptr;
}

void MainWindow::keyPressEvent(QKeyEvent* e) {
  const bool plain = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (QPushButton* b = plain ? buttonForKey(e->key()) : nullptr) {
    b->click();
    return;
  }
  QWidget::keyPressEvent(e);
}

void MainWindow::prepare() {
  chatter_ = buildChatterTexts(s_.playerName, s_.playerCatName);
  setDate();
  refreshCatPanel();
  rebuildCatList(s_);
  champions_->refresh();
  showNotice();
  pic_->drawCatPicture();
  pic_->startIdle();
  announceWeek();
}

void MainWindow::setDate() { labNen_->setText(qs(dateText(s_))); }

// The date, the notice and the cat's details, read with 次週 where the player is back after a week.
void MainWindow::announceWeek() {
  describeNextWeek();
  but(Command::NextWeek)->setFocus(Qt::OtherFocusReason);
}

// 次週's description follows what the player sets: the training, the booking and the tactic.
void MainWindow::describeNextWeek() {
  QStringList parts{qs(spokenDateText(s_))};
  QString notice = labComment_->text();
  if (notice.endsWith(QChar(u'。'))) notice.chop(1);  // the list goes on after it
  if (!notice.isEmpty()) parts << notice;
  parts << details_->spoken();
  if (!pic_->accessibleDescription().isEmpty()) parts << pic_->accessibleDescription();
  describe(but(Command::NextWeek), parts.join(qtr(u"、")));
  // 調教 says the training it has set, and is heard so as its panel closes; its key follows.
  QPushButton* training = but(Command::Training);
  describe(training, training_->spoken() + qtr(u"、") + training->toolTip());
}

void MainWindow::focusOpenPanel(Command c) {
  QWidget* panel = c == Command::Training       ? static_cast<QWidget*>(training_)
                   : c == Command::Registration ? static_cast<QWidget*>(registration_)
                   : c == Command::Champions    ? static_cast<QWidget*>(champions_)
                                                : static_cast<QWidget*>(catList_);
  // The lists put focus on their rows themselves; the champions have nothing to work: their 戻る.
  if (!panel->isAncestorOf(focusWidget()) && !focusFirstIn(panel))
    but_[at(c)]->setFocus(Qt::OtherFocusReason);
}

void MainWindow::showNotice() {
  labComment_->setText(qs(polmina::tr(s_.noticeLine)));
  // The notice is hidden while the week's races run.
  labComment_->setVisible(!busy_);
}

void MainWindow::refreshCatPanel() { details_->refresh(); }

void MainWindow::showCatTexts() { details_->showTexts(); }

void MainWindow::stopCatTimers() { pic_->stopTimers(); }

// ---- the panel mechanism

void MainWindow::showPanel(QWidget* panel) {
  panel->move(0, 16);
  panel->setEnabled(true);
  panel->show();
  panel->raise();
  enableCatPanel(false);
}

// The cat's details and picture leave the Tab chain together while a panel covers them.
void MainWindow::enableCatPanel(bool on) {
  details_->setEnabled(on);
  pic_->setEnabled(on);
}

void MainWindow::hidePanels() {
  catList_->move(catList_->x(), 240);
  training_->move(340, training_->y());
  registration_->move(340, 240);
  champions_->move(600, 0);
  for (QWidget* p : std::initializer_list<QWidget*>{catList_, training_, registration_, champions_}) {
    p->setEnabled(false);
    p->hide();
  }
}

void MainWindow::enableCommands() {
  for (Command c : kPanelCommands) but_[at(c)]->setText(qtr(kCaptions[at(c)]));  // their own captions
  using C = Command;
  for (C c : {C::Champions, C::ActiveCats, C::RetiredCats, C::Registration, C::NextWeek, C::Newspaper, C::Help,
              C::Version, C::Quit})
    but(c)->setEnabled(true);
  findPlayerCat(s_);
  const bool resting = catAt(s_, s_.playerCat).restWeeks != 0;
  but(C::Training)->setEnabled(!resting);
  but(C::Rest)->setEnabled(!resting);
  enableCatPanel(true);
}

void MainWindow::closePanel() {
  panel_ = OpenPanel::None;
  hidePanels();
  enableCommands();
  showNotice();
  describeNextWeek();
}

// ---- the command buttons

void MainWindow::command(Command c) {
  switch (c) {
    case Command::Newspaper:
      showNewspaper(se_, this);
      return;
    case Command::Help:
      openHelp(se_, this, help_);
      return;
    case Command::Version: {
      VersionWindow v(this);
      se_.ui.runModal(v);
      return;
    }
    case Command::Pet:
      return;
    case Command::Quit:
      close();
      return;
    case Command::Rest:
      registration_->swallowNextChoice();
      askRest();
      return;
    default:
      break;
  }
  registration_->swallowNextChoice();
  pic_->stopTimers();
  // The same button closes the panel it opened (it reads ＯＫ or 戻る meanwhile).
  if (panel_ != OpenPanel::None && panel_ == panelOf(c)) {
    closePanel();
    but_[at(c)]->setFocus(Qt::OtherFocusReason);
  } else if (c == Command::NextWeek) {
    if (!playWholeWeek(se_.g)) gameEnded();
  } else {
    openPanelFor(c);
  }
  pic_->startIdle();
}

void MainWindow::openPanelFor(Command c) {
  for (int k = 0; k <= at(Command::Newspaper); ++k)
    if (k != at(c)) but_[k]->setEnabled(false);
  but(Command::Quit)->setEnabled(false);
  but_[at(c)]->setText(closedWithOk(panelOf(c)) ? qtr(N_("ＯＫ")) : qtr(N_("戻る")));
  switch (c) {
    case Command::ActiveCats:
    case Command::RetiredCats:
      showPanel(catList_);
      catList_->open(c == Command::ActiveCats);
      break;
    case Command::Training:
      showPanel(training_);
      break;
    case Command::Registration:
      showPanel(registration_);
      registration_->showRegistration(details_->nextRace());
      break;
    default:
      champions_->refresh();
      showPanel(champions_);
      break;
  }
  panel_ = panelOf(c);
  focusOpenPanel(c);
}

void MainWindow::askRest() {
  if (!polmina::askRest(se_.g)) return;
  but(Command::Training)->setEnabled(false);
  but(Command::Rest)->setEnabled(false);
  training_->clear();
  showNotice();
  pic_->drawCatPicture();
}

// ---- the week

void MainWindow::weekStep(WeekStep step) {
  switch (step) {
    case WeekStep::Begins:
      busy_ = true;
      training_->keepAsLast();
      panel_ = OpenPanel::Results;
      // A fast-forward shows the week only when it draws it, or when the week asks the player.
      if (drawing()) showWeekView();
      return;
    case WeekStep::Results:
      playNewTitle(s_);
      // The cat moves again while the results wait (its chatter closes on the picture's ticks).
      pic_->startIdle();
      // A fast-forward goes straight on; a week that asked the player was left open for this OK.
      if (!se_.ui.fastForwarding()) showWeekView();
      week_->showResults(drawing(), !se_.ui.fastForwarding());
      return;
    case WeekStep::Awards:
      panel_ = OpenPanel::Awards;
      week_->showAwards();
      return;
    case WeekStep::Closed:
      closedView();
      return;
    case WeekStep::Home:
      homeView();
      return;
  }
}

void MainWindow::beforePause() { week_->beforePause(drawing()); }

void MainWindow::beforeBox() {
  if (!busy_) return;
  showWeekView();
  week_->refreshResults();
}

// The week's view: the notice hidden, the results panel over the home view, the commands disabled.
void MainWindow::showWeekView() {
  if (weekShown_) return;
  weekShown_ = true;
  showNotice();
  week_->begin();
  for (QPushButton* b : but_) b->setEnabled(false);
}

bool MainWindow::drawing() const { return fastForward_->drawing(); }

void MainWindow::refreshWeekView() {
  week_->refreshResults();
  setDate();
  showCatTexts();
  if (busy_)
    showNotice();
  else
    homeView();
}

void MainWindow::closedView() {
  weekShown_ = false;
  week_->putAway();
  panel_ = OpenPanel::None;
  enableCatPanel(true);
  // The cat panel was refreshed when the week moved on (its running-style coin is drawn there), before
  // the week's growth: its words again, now that the cat has grown.
  if (drawing()) showCatTexts();
  QApplication::restoreOverrideCursor();
  tellHistoryProblem(se_);
}

void MainWindow::homeView() {
  busy_ = false;
  // A fast-forward's weeks it does not draw are put right at its stop (refreshWeekView).
  if (!drawing()) return;
  showNotice();
  // A target of the season plan may have been booked as the week began.
  details_->setNextRace(qs(catPanelText(s_).nextRace));
  enableCommands();
  but(Command::Pet)->setEnabled(false);
  // A fast-forward's 停止 keeps the focus until it stops.
  if (!fastForward_->running()) announceWeek();
}

void MainWindow::closeOpenWeek() {
  if (!closeWholeWeek(se_.g)) gameEnded();
}

void MainWindow::gameEnded() {
  QApplication::restoreOverrideCursor();
  wm_.quit();
}

// ---- the cat and its chatter

void MainWindow::catClicked() {
  clickCat(s_);
  showChatter();
}

void MainWindow::showChatter() {
  if (pic_->chatterWaiting()) return;
  // A fast-forward keeps the remark, chosen as usual, for its stop instead of typing it now.
  if (fastForward_->keepRemark([this] { return chooseChatterText(se_.g, chatter_); })) return;
  runChatter(nullptr);
}

void MainWindow::sayRemark(const std::u16string& text) {
  if (!pic_->chatterWaiting()) runChatter(&text);
}

void MainWindow::runChatter(const std::u16string* said) {
  // 1500 twips to the right of and 500 twips below the main window's corner.
  runChatterWindow(se_.g, chatter_, *pic_, se_.ui, frameGeometry().topLeft() + QPoint(100, 33), said);
}

// ---- quitting

void MainWindow::closeEvent(QCloseEvent* e) {
  // A week in play or a save in progress is never interrupted; the player is told why, once at a time.
  if (busy_ || quitting_) {
    e->ignore();
    if (busy_ && !quitting_ && !refusingClose_) {
      refusingClose_ = true;
      se_.ui.tell(Question::QuitBusy, u"終了", polmina::tr(u"週の処理中は終了できません。\r\n「OK」の後で終了して下さい。"));
      refusingClose_ = false;
    }
    return;
  }
  if (!quitGame(se_.g, [this] { return saveBeforeQuit(); })) {
    e->ignore();
    return;
  }
  e->accept();
  wm_.quit();
}

StoreResult MainWindow::saveBeforeQuit() {
  quitting_ = true;
  SaveWindow w(s_, se_.paths.saveDir, se_.ui, this);
  se_.ui.runModal(w);
  quitting_ = false;
  return w.result();
}

}  // namespace polmina
