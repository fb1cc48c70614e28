#include "ui/small_windows.h"

#include <QAccessible>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/accessible.h"
#include "ui/fonts.h"
#include "ui/launch.h"
#include "ui/plan_windows.h"
#include "ui/qt_frontend.h"
#include "ui/qt_text.h"
#include "ui/resources.h"
#include "ui/session.h"
#include "ui/sound.h"
#include "ui/topic_window.h"
#include "ui/widgets.h"
#include "ui/window_manager.h"

namespace polmina {

namespace {

QFrame* makeRule(QWidget* parent, int y) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  line->setGeometry(100, y, 200, 2);
  return line;
}

}  // namespace

VersionWindow::VersionWindow(QWidget* mainWindow) : QDialog(mainWindow) {
  setObjectName(QStringLiteral("VerFm"));
  setWindowTitle(qtr(u"ﾊﾞｰｼﾞｮﾝ情報"));
  setFixedSize(312, 132);
  auto* image = makeLabel(this, {}, {10, 12, 80, 80}, QStringLiteral("Image1"));
  image->setPixmap(loadPicture(QStringLiteral(":/art/version.png")));
  image->setAccessibleName(qtr(u"ポルミナ"));
  makeLabel(this, qtr(u"11種ポルミナF　　Version ") + gameVersion(), {100, 10, 206, 18}, gothic(9.75),
            QStringLiteral("Label1"));
  makeLabel(this, {}, {100, 28, 206, 4}, QStringLiteral("Label5"));
  makeRule(this, 32);
  makeLabel(this, qtr(u"企画・プログラム・絵　ポルミナ工房"), {100, 38, 206, 15},
            QStringLiteral("Label2"));
  makeLabel(this, qtr(u"猫たちと遊んでくれてありがとう"), {100, 54, 206, 15},
            QStringLiteral("Label3"));
  makeLabel(this, qtr(u"ご感想はヘルプのページをご覧ください"), {100, 70, 206, 15},
            QStringLiteral("Label4"));
  makeRule(this, 88);
  QPushButton* ok = makeButton(this, QStringLiteral("OK"), {232, 100, 68, 22}, QStringLiteral("but"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  centreOn(this, mainWindow);
}

HelpWindow::HelpWindow(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), browser_(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("HelpFm"));
  setWindowTitle(qtr(u"ヘルプ"));
  browser_->setObjectName(QStringLiteral("HelpPage"));
  browser_->setOpenExternalLinks(true);
  browser_->setFont(gothic(10.5));
  browser_->setAccessibleName(qtr(u"ヘルプの本文"));
  // A close button of its own, and Esc, for a player without a window manager's close box or a mouse.
  auto* close = new QPushButton(qtr(u"閉じる"), this);
  close->setObjectName(QStringLiteral("HelpClose"));
  // The size and type of the game's other OK buttons, at every display size (the game's compact
  // buttons have no least size of their own).
  close->setFont(gothic(9));
  close->setStyleSheet(QStringLiteral("QPushButton { min-width: 68px; min-height: 22px; }"));
  clickOnEnter(close);
  connect(close, &QPushButton::clicked, this, &HelpWindow::closeAndGiveBack);
  auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(esc, &QShortcut::activated, this, &HelpWindow::closeAndGiveBack);
  auto* row = new QHBoxLayout;
  row->setContentsMargins(8, 4, 8, 8);
  row->addStretch();
  row->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  layout->addLayout(row);
  // As tall as the screen allows, never taller.
  const QScreen* screen = mainWindow->screen() ? mainWindow->screen() : QGuiApplication::primaryScreen();
  const int height = screen ? std::min(640, screen->availableGeometry().height() - 80) : 640;
  resize(560, std::max(240, height));
}

void HelpWindow::closeAndGiveBack() {
  close();
  giveBackKeys(parentWidget());
}

bool HelpWindow::open(const std::filesystem::path& page) {
  const QString path = QString::fromStdU16String(page.u16string());
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() == 0) return false;
  browser_->setSource(QUrl::fromLocalFile(path));
  if (browser_->document()->isEmpty()) return false;
  if (!browser_->documentTitle().isEmpty()) setWindowTitle(browser_->documentTitle());
  return true;
}

SaveWindow::SaveWindow(const GameState& s, std::filesystem::path dir, QtFrontend& ui, QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      s_(s),
      dir_(std::move(dir)),
      ui_(ui) {
  setObjectName(QStringLiteral("SaveFm"));
  setWindowTitle(qtr(u"セーブ"));
  setFixedSize(150, 50);
  label_ = makeLabel(this, qtr(u"セーブ中"), {0, 0, 150, 50}, gothic(9, true), QStringLiteral("Label1"));
  label_->setAlignment(Qt::AlignCenter);
  // The label holds the focus, so that a screen reader says it, and says its new words when it changes.
  label_->setFocusPolicy(Qt::StrongFocus);
  setFocusProxy(label_);
  centreOn(this, mainWindow);
  // The save runs from the window's own timer once it is on screen.
  auto* timer1 = new QTimer(this);
  timer1->setObjectName(QStringLiteral("Timer1"));
  timer1->setInterval(100);
  connect(timer1, &QTimer::timeout, this, [this, timer1] {
    timer1->stop();
    save();
  });
  timer1->start();
}

void SaveWindow::save() {
  result_ = saveGame(s_, dir_);
  double shown = 1.0;
  if (result_) {
    const QString done = qtr(u"セーブしました");
    label_->setText(done);
    if (QAccessible::isActive()) shown = std::max(shown, spokenSeconds(done));
  }
  ui_.wait(shown);
  accept();
}

void SaveWindow::reject() {}

void showNewspaper(Session& se, QWidget* mainWindow) {
  const Topic topic = readNewspaper(se.g);
  if (!topic.news) {
    se.ui.tell(Question::NoNews, TopicsTitle, topic.noNewsText);
    return;
  }
  TopicWindow paper(topic, mainWindow);
  offerFollowing(&paper, se, [&se, topic] {
    std::vector<std::u16string> names = topic.names;
    names.push_back(topic.faceName);
    return activeCatsIn(se.g.s, names);
  });
  // The paper is read in the main window's place; "OK" puts the main window back.
  mainWindow->hide();
  SoundPlayer::instance().play(Sound::Paper);
  se.ui.runModal(paper);
  mainWindow->show();
  // The window was hidden when the paper gave the keys back: without a window manager nobody else
  // gives them to it now.
  giveBackKeys(mainWindow);
}

void openHelp(Session& se, QWidget* over, HelpWindow*& help) {
  // The page in the game's language, the Japanese one when there is none.
  std::filesystem::path page;
  if (currentLanguage() == Language::English) page = findDataFile(se.paths, "Help.en.htm");
  if (page.empty()) page = findDataFile(se.paths, "Help.htm");
  if (!help) help = new HelpWindow(over);
  if (page.empty() || !help->open(page)) {
    se.ui.tell(Question::FileMissing, BoxTitle, polmina::tr(u"ファイルが開けません。"));
    return;
  }
  if (!help->isVisible()) centreOn(help, over);
  help->show();
  help->raise();
  help->activateWindow();
}

}  // namespace polmina
