// The weekly newspaper read through "新聞", and what the cat says about the coming week once the
// week's results have been OK'd.
#include <QTextLayout>
#include <algorithm>

#include "news/topics.h"
#include "ui/qt_text.h"
#include "ui/topic_window.h"
#include "window_world.h"

namespace polmina::test {
namespace {

class HomeWeek : public WindowTest {
 protected:
  CatRecord& cat() {
    findPlayerCat(world->s());
    return world->s().cats[world->s().playerCat];
  }
  // Runs the week and OKs its results; returns what the cat said then ("-" when it kept quiet).
  std::u16string playWeek() {
    const size_t said = world->ui.chatter.size();
    world->click(main(), Command::NextWeek);
    return world->ui.chatter.size() > said ? world->ui.chatter.back() : u"-";
  }
  void playTo(int month, int week) {
    while (world->s().month != month || world->s().week != week) playWeek();
  }
};

TEST_F(HomeWeek, TheCatTellsOfItsRaceItsSleepAndTheNewsOnceTheResultsAreOK) {
  WindowWorld& w = *world;
  w.newGame();
  playTo(2, 1);          // past the first month's advice
  cat().entryRace = 27;  // a race of the coming week, and no running style chosen
  cat().styleFlags = {0, 0, 0, 0};
  EXPECT_EQ(playWeek(), u"今週は出走するニャ\r\n 作戦を決めるニャ　　");
  cat().entryRace = -1;

  w.ui.script.push_back(true);
  w.click(main(), Command::Rest);  // 休養
  EXPECT_EQ(playWeek(), u"ムニャムニャ・・・・・今週はなにもないニャ 　　ムニャムニャ・・");
  EXPECT_EQ(playWeek(),
            u"ムニャムニャ・・・・・\r\n今週はトピックスがあるニャ、見てニャ　　ムニャムニャ・・");
  playTo(3, 2);  // the rest is over

  // Awake and middling, with nothing on: now and then the cat just wants to talk.
  std::vector<std::u16string> said;
  while (said.size() < 40 && (said.empty() || said.back() != u"お話ししようニャ")) {
    cat().condition = 35;
    cat().entryRace = -1;  // nothing on: no race booked for the week
    said.push_back(playWeek());
  }
  EXPECT_EQ(said.back(), u"お話ししようニャ");
  // The other weeks: nothing to say, or the week's news ("\r\n今週は…があるニャ、…").
  for (size_t i = 0; i + 1 < said.size(); ++i)
    EXPECT_TRUE(said[i] == u"今週はなにもないニャ" || said[i].starts_with(u"\r\n今週は")) << i;
}

TEST_F(HomeWeek, TheNewspaperTakesTheMainWindowsPlaceInABigRaceWeek) {
  WindowWorld& w = *world;
  w.newGame();
  w.click(main(), Command::Newspaper);
  EXPECT_EQ(w.lastMessage(), u"おもだったニュースはありません。");
  playTo(2, 3);
  w.click(main(), Command::Newspaper);
  EXPECT_EQ(w.lastMessage(), u"おもだったニュースはありません");

  playTo(2, 4);
  const QPoint place = main()->pos();
  const QSize size = main()->size();
  bool mainHidden = false, accepted = false;
  QStringList shown;
  QImage face;
  w.ui.onDialog = [&](QDialog& d) {
    if (d.objectName() != QStringLiteral("TopicFm")) return;
    mainHidden = main()->isHidden();
    EXPECT_EQ(d.pos(), place);
    EXPECT_EQ(d.size(), size);
    for (const char* name : {"LabTitle", "Label1", "Lab", "LabName", "LabEnd"})
      shown << w.find<QLabel>(&d, name)->text().remove(QChar(0x2060));  // the joiners that keep names whole
    face = w.find<FaceBox>(&d, "Pic1")->face();
    w.find<QPushButton>(&d, "ButTopic")->click();
    accepted = d.result() == QDialog::Accepted && d.isHidden();
  };
  w.click(main(), Command::Newspaper);
  ASSERT_EQ(w.ui.dialogs.back(), QStringLiteral("TopicFm"));
  EXPECT_TRUE(mainHidden);
  EXPECT_TRUE(accepted);
  EXPECT_TRUE(main()->isVisible());

  // Read again in the same week: the same wording, so the window showed what the paper says.
  const Topic topic = readNewspaper(w.g);
  ASSERT_EQ(topic.caption, u"一番人気猫");
  const QStringList expected = {QStringLiteral("スピードの競演\n早　猫　賞　開　催"),
                                shownText(topic.article), qs(topic.caption), qs(topic.faceName),
                                QStringLiteral("担当記者 ") + TopicWindow::Reporter};
  EXPECT_EQ(shown, expected);
  const QImage strip(QStringLiteral(":/art/race/breed%1.png").arg(topic.faceBreed, 2, 10, QLatin1Char('0')));
  EXPECT_EQ(face, strip.copy(40, 0, 40, 40));
}

QLabel* label(QWidget& window, const char* name) {
  return window.findChild<QLabel*>(QString::fromLatin1(name));
}

// The lines a wrapped label draws, as Qt lays its text out.
QStringList drawnLines(QLabel* l) {
  QTextLayout layout(l->text(), l->font());
  QTextOption option(l->alignment());
  option.setWrapMode(QTextOption::WordWrap);
  layout.setTextOption(option);
  QStringList lines;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(l->contentsRect().width());
    lines << l->text().mid(line.textStart(), line.textLength()).remove(QChar(0x2060)).trimmed();
  }
  layout.endLayout();
  return lines;
}

// A name is on one line, or it is not shown whole.
bool nameWhole(QLabel* l, const QString& name) {
  const QStringList lines = drawnLines(l);
  return std::any_of(lines.begin(), lines.end(), [&](const QString& line) { return line.contains(name); });
}

// The longest texts the paper prints, thirteen lines of ten-character names, under the longest
// headline and caption: nothing may be cut off, no name broken, and the text keeps the window's own
// type sizes (only a long name under the face gets smaller type, rather than break).
TEST(TopicWindowLayout, TheLongestTopicsFitAndNoNameBreaks) {
  QWidget home;
  home.setFixedSize(SmallWindowWidth, SmallWindowHeight);
  const std::u16string name = u"ミャーミャークロスケ";
  Topic entries{true, u"", u"３大記念出走猫決定\r\n", u"", u"一番人気猫", name, 7, {name}};
  for (int k = 1; k <= 11; ++k) entries.article += u16(QString::number(k)) + u"番人気　" + name + u"\r\n";
  entries.article += u"上記の様に決定致しました";
  Topic result = entries;
  result.headline = u"　猫界の栄誉、速く、そして強く！！\r\n優　駿　猫　開　催\r\n";
  result.caption = u"期待の1歳猫";
  result.faceName = name + u"10才 雌";
  result.article.clear();
  for (int c = 1; c <= 12; ++c)
    result.article += u16(QString::number(c)) + u"着" + (c < 10 ? u" " : u"") + result.faceName + u"\r\n";
  result.article += u"   以上着順でした";
  for (const Topic* topic : {&entries, &result}) {
    TopicWindow paper(*topic, &home);
    EXPECT_EQ(label(paper, "LabTitle")->font().pointSizeF(), 9.75);
    // Thirteen lines of whole names take a half point less than the article's own size.
    EXPECT_GE(label(paper, "Label1")->font().pointSizeF(), 8.5);
    for (QLabel* l : paper.findChildren<QLabel*>())
      EXPECT_TRUE(fitText(l, l->font().pointSizeF())) << l->objectName().toStdString() << " " << l->font().pointSizeF();
    for (const char* l : {"LabName", "Label1"}) EXPECT_TRUE(nameWhole(label(paper, l), qs(name))) << l;
  }
  // A short winner's name stays whole on its line at the column's own size, its age below it.
  result.faceName = u"ミケ 5才 雄";
  result.names = {u"ミケ"};
  TopicWindow paper(result, &home);
  EXPECT_EQ(label(paper, "LabName")->text().remove(QChar(0x2060)), QStringLiteral("ミケ\n5才 雄"));
  EXPECT_EQ(label(paper, "LabName")->font().pointSizeF(), 9);
}

// A preview whose line ends in the middle of a name: the line breaks before the name, under the face
// the name keeps one line.
TEST(TopicWindowLayout, ANameAtTheEndOfALineMovesWholeToTheNext) {
  QWidget home;
  home.setFixedSize(SmallWindowWidth, SmallWindowHeight);
  const std::u16string cat = u"ブラックニャンリー";
  Topic preview{true, u"", u"スピードの競演\r\n早　猫　賞　開　催\r\n", u"", u"一番人気猫", cat, 8, {cat, u"ミケ"}};
  preview.article = u"今年も混戦となりますか１番人気の" + cat + u"、２番人気のミケ";
  TopicWindow paper(preview, &home);
  EXPECT_TRUE(nameWhole(label(paper, "Label1"), qs(cat))) << drawnLines(label(paper, "Label1")).join(u'|').toStdString();
  EXPECT_TRUE(nameWhole(label(paper, "LabName"), qs(cat)));
}

}  // namespace
}  // namespace polmina::test
