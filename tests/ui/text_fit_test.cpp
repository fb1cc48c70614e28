// The game in English: every label, button, option, frame title and list entry of every window is
// measured with its own font against the room the layout gives it. English is longer than Japanese,
// and a clipped caption is a word the player never reads.
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTextBrowser>
#include <QTimer>
#include <algorithm>
#include <iostream>
#include <set>

#include "history/history.h"
#include "news/topics.h"
#include "ui/fast_forward.h"
#include "ui/hall_window.h"
#include "ui/history_windows.h"
#include "ui/qt_text.h"
#include "ui/race_window.h"
#include "ui/small_windows.h"
#include "ui/title_window.h"
#include "ui/topic_window.h"
#include "window_world.h"
#include "world/i18n.h"
#include "world/labels.h"
#include "world/romaji.h"

namespace polmina::test {
namespace {

// Every text control found, with the room it needs and the room it has (in pixels).
class FitMeter {
 public:
  void measure(QWidget* root) {
    // POLMINA_FIT_SHOTS=DIR keeps a picture of every window measured, to look at.
    if (const QString dir = qEnvironmentVariable("POLMINA_FIT_SHOTS"); !dir.isEmpty())
      root->grab().save(QStringLiteral("%1/%2-%3.png").arg(dir).arg(++shots_, 3, 10, QLatin1Char('0')).arg(root->objectName()));
    check(root);
    for (QWidget* w : root->findChildren<QWidget*>()) check(w);
  }

  int checked() const { return static_cast<int>(seen_.size()); }
  const std::vector<std::string>& clipped() const { return clipped_; }
  std::string tightest() const { return tightestWhere_ + " (" + std::to_string(tightest_) + " px to spare)"; }

 private:
  static QString plain(QString s) { return s.remove(QLatin1Char('&')); }

  void record(QWidget* w, const QString& text, int need, int have) {
    const std::string where = path(w) + " \"" + text.toStdString() + "\"";
    seen_.insert(where);
    if (need > have) clipped_.push_back(where + ": needs " + std::to_string(need) + ", has " + std::to_string(have));
    if (have - need < tightest_) {
      tightest_ = have - need;
      tightestWhere_ = where;
    }
  }

  static std::string path(QWidget* w) {
    std::string p = w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName().toStdString();
    if (QWidget* top = w->window(); top != w) p = top->objectName().toStdString() + "/" + p;
    return p;
  }

  void check(QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w)) return label(l);
    if (auto* r = qobject_cast<QRadioButton*>(w)) return radio(r);
    if (auto* b = qobject_cast<QPushButton*>(w)) return button(b);
    if (auto* g = qobject_cast<QGroupBox*>(w)) return frame(g);
    if (auto* c = qobject_cast<QComboBox*>(w)) return combo(c);
  }

  void label(QLabel* l) {
    if (l->text().isEmpty() || l->textFormat() == Qt::RichText) return;
    const QRect room = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
    const QFontMetrics fm(l->font());
    if (!l->wordWrap()) {
      int widest = 0;
      // The names of the cat table come padded with blanks; only what is drawn counts.
      for (const QString& line : l->text().split(QLatin1Char('\n')))
        widest = std::max(widest, fm.horizontalAdvance(line.trimmed()));
      record(l, l->text(), widest, room.width());
      return;
    }
    const QRect need = fm.boundingRect(QRect(0, 0, room.width(), 100000),
                                       static_cast<int>(l->alignment()) | Qt::TextWordWrap, l->text());
    // A wrapped text must not run past the foot of its label (nor, with a word too long, past its side).
    record(l, l->text(), std::max(need.height() - room.height() + room.width(), need.width()), room.width());
  }

  void button(QPushButton* b) {
    if (b->text().isEmpty()) return;
    // The style sheet gives a button 1 px of padding and 1 px of border on each side.
    record(b, b->text(), QFontMetrics(b->font()).horizontalAdvance(plain(b->text())) + 4, b->width());
  }

  void radio(QRadioButton* r) {
    if (r->text().isEmpty()) return;
    QStyleOptionButton o;
    o.initFrom(r);
    const int indicator = r->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &o, r) +
                          r->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &o, r);
    record(r, r->text(), indicator + QFontMetrics(r->font()).horizontalAdvance(plain(r->text())), r->width());
  }

  void frame(QGroupBox* g) {
    if (g->title().isEmpty()) return;
    // The title sits 6 px in from the left, with 2 px of padding on each side (the style sheet).
    record(g, g->title(), 6 + 4 + QFontMetrics(g->font()).horizontalAdvance(plain(g->title())), g->width());
  }

  void combo(QComboBox* c) {
    QStyleOptionComboBox o;
    o.initFrom(c);
    const QRect field = c->style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, c);
    for (int i = 0; i < c->count(); ++i)
      record(c, c->itemText(i), QFontMetrics(c->font()).horizontalAdvance(c->itemText(i)), field.width());
  }

  int shots_ = 0;
  std::set<std::string> seen_;
  std::vector<std::string> clipped_;
  int tightest_ = 1 << 20;
  std::string tightestWhere_;
};

QWidget* topLevel(const char* name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String(name)) return w;
  return nullptr;
}

class TextFit : public WindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(loadCatalog(POLMINA_CATALOG)) << POLMINA_CATALOG;
    WindowTest::SetUp();
  }
  void TearDown() override {
    WindowTest::TearDown();
    unloadCatalog();
  }
  void openEachPanel(FitMeter& fit) {
    for (Command c : {Command::Training, Command::Registration, Command::ActiveCats, Command::RetiredCats,
                      Command::Champions}) {
      world->click(main(), c);
      fit.measure(main());
      world->click(main(), c);  // 戻る / ＯＫ closes it again
    }
  }
};

// The longest names the game allows: ten full-width characters.
constexpr const char16_t* kLongName = u"ミャーミャークロスケ";

TEST_F(TextFit, EveryWindowInEnglish) {
  WindowWorld& w = *world;
  FitMeter fit;
  w.wm.showWindow(GameWindow::Title);
  fit.measure(&w.wm.titleWindow());
  w.newGame();
  fit.measure(&w.wm.wizardWindow());
  fit.measure(main());
  openEachPanel(fit);

  // A week with every race watched: the race window at its end, the results panel, the notices.
  RaceWindow::setPace(0);
  w.ui.defaultAnswer = true;
  for (int week = 0; week < 30 && !topLevel("RaceFm"); ++week) {
    w.atResults = [&] { fit.measure(main()); };
    w.click(main(), Command::NextWeek);
  }
  w.ui.defaultAnswer = false;
  RaceWindow::setPace(1);
  ASSERT_NE(topLevel("RaceFm"), nullptr);
  fit.measure(topLevel("RaceFm"));
  // The longest commentary line: a ten-character name, twice in the lead, at the last mark.
  auto* msg = w.find<QLabel>(topLevel("RaceFm"), "LabMsg");
  msg->setText(qs(trf(u"{m}m地点通過、先頭は{leader}",
                      {{u"m", u"250"}, {u"leader", trf(u"まだ{runner}", {{u"runner", trf(u"{gate}番 {cat} {age}才　", {{u"gate", u"12"}, {u"cat", kLongName}, {u"age", u"12"}})}})}})));
  fit.measure(topLevel("RaceFm"));
  openEachPanel(fit);

  // Help opens the English page in the game's own help window.
  w.click(main(), Command::Help);
  auto* help = main()->findChild<HelpWindow*>();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("How to play")));
  fit.measure(help);
  help->close();

  VersionWindow version(main());
  fit.measure(&version);
  FormbookWindow formbook(w.session, w.s().cats[w.s().playerCat], main());
  fit.measure(&formbook);
  GrowthWindow growth(kLongName, {}, main());
  fit.measure(&growth);
  HallWindow hall(w.session, main());
  fit.measure(&hall);
  FastForwardWindow fastForward(main());
  fit.measure(&fastForward);
  // The results' caption while fast-forwarding, at its longest count.
  auto* results = w.find<QGroupBox>(main(), "Frm5");
  const QString resultsTitle = results->title();
  results->setTitle(
      qs(trf(u"{title}　早送り {count}週", {{u"title", u16(resultsTitle)}, {u"count", u"48/48"}})));
  fit.measure(main());
  results->setTitle(resultsTitle);

  // The paper at its longest: twelve finishers with the longest names (in Latin letters, as English
  // shows them), the longest headline and caption.
  const std::u16string longName = shownName(kLongName);
  Topic result{true,
               u"",
               tr(u"先週の菊猫賞結果速報") + u"\r\n",
               u"",
               tr(u"期待の1歳猫"),
               longName + ageAndSex(12, 1),
               7,
               {longName}};
  for (int c = 1; c <= 12; ++c) result.article += placeName(c) + u" " + result.faceName + u"\r\n";
  result.article += tr(u"   以上着順でした");
  TopicWindow paper(result, main());
  for (QLabel* l : paper.findChildren<QLabel*>())
    EXPECT_TRUE(fitText(l, 6)) << l->objectName().toStdString() << ": " << l->text().toStdString();

  // The year's end: the awards panel with its names.
  bool awardsMeasured = false;
  auto* poll = new QTimer(main());
  QObject::connect(poll, &QTimer::timeout, main(), [&] {
    if (!w.find<QWidget>(main(), "butNendo")->isEnabled()) return;
    poll->stop();
    fit.measure(main());
    awardsMeasured = true;
    w.click(main(), "butNendo");
  });
  poll->start(5);
  for (int week = 0; week < 48 && !awardsMeasured; ++week) {
    w.atResults = [&] { fit.measure(main()); };
    w.click(main(), Command::NextWeek);
  }
  EXPECT_TRUE(awardsMeasured);

  for (const std::string& c : fit.clipped()) ADD_FAILURE() << "clipped: " << c;
  std::cout << "text fit in English: " << fit.checked() << " texts checked; tightest: " << fit.tightest() << "\n";
  RecordProperty("texts_checked", fit.checked());
  RecordProperty("tightest", fit.tightest());
}

// In Japanese the wizard's leads break after a comma, never leaving the last character or two of the
// sentence alone on a line.
TEST_F(WindowTest, TheWizardsLeadsBreakAfterAComma) {
  WindowWorld& w = *world;
  w.wm.showWindow(GameWindow::Wizard);
  QWidget* wizard = &w.wm.wizardWindow();
  w.click(wizard, "ButNext0");
  for (int sex : {0, 1}) {
    w.find<QRadioButton>(wizard, sex ? "OptPlayerSex1" : "OptPlayerSex0")->click();
    w.type(wizard, "Txt0", QStringLiteral("ミナ"));
    w.click(wizard, "ButNext1");
    for (const char* lead : {"lab1", "lab2"}) {
      QLabel* l = w.find<QLabel>(wizard, lead);
      const QStringList lines = l->text().split(QLatin1Char('\n'));
      if (lines.size() == 1) {
        EXPECT_LE(QFontMetrics(l->font()).horizontalAdvance(lines.front()), l->width()) << lead;
        continue;
      }
      EXPECT_EQ(lines.size(), 2) << lead;
      EXPECT_TRUE(lines.front().endsWith(QChar(u'、'))) << lead << ": " << lines.front().toStdString();
      EXPECT_GT(lines.back().size(), 2) << lead;
    }
    EXPECT_EQ(w.find<QLabel>(wizard, "lab2")->text().count(QLatin1Char('\n')), 1);
    w.click(wizard, "ButBack2");
  }
}

}  // namespace
}  // namespace polmina::test
