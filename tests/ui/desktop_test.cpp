// The game as a desktop program: its command line, the display size, the pictures drawn for the
// display, and a game played from the keyboard alone.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "ui/keyboard.h"
#include "ui/launch.h"
#include "ui/race_scene.h"
#include "ui/resources.h"
#include "ui/title_window.h"
#include "ui/wizard_window.h"
#include "window_world.h"

namespace polmina::test {
namespace {

ParsedCommandLine parse(QStringList args) {
  args.prepend(QStringLiteral("polmina"));
  return parseCommandLine(args);
}

TEST(CommandLine, HelpVersionSeedAndScale) {
  const auto version = parse({QStringLiteral("--version")});
  EXPECT_FALSE(version.run);
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.text, QStringLiteral("11種ポルミナF %1\n").arg(gameVersion()));
  const auto help = parse({QStringLiteral("-h")});
  EXPECT_FALSE(help.run);
  EXPECT_TRUE(help.text.contains(QStringLiteral("--seed N")) &&
              help.text.contains(QStringLiteral("--scale F")));
  const auto game = parse(
      {QStringLiteral("--seed"), QStringLiteral("18446744073709551615"), QStringLiteral("--scale=1.5")});
  ASSERT_TRUE(game.run);
  EXPECT_EQ(game.options.seed, 18446744073709551615ull);
  EXPECT_EQ(game.options.scale, 1.5);
  const auto plain = parse({});
  EXPECT_TRUE(plain.run && !plain.options.seed && !plain.options.scale);
}

TEST(CommandLine, MistakesEndWithAJapaneseMessageAndExitCode2) {
  const QStringList bad[] = {{QStringLiteral("--seed"), QStringLiteral("-1")},
                             {QStringLiteral("--seed"), QStringLiteral("12x")},
                             {QStringLiteral("--seed")},
                             {QStringLiteral("--scale"), QStringLiteral("2.5")},
                             {QStringLiteral("--scale"), QStringLiteral("nan")},
                             {QStringLiteral("--speed")},
                             {QStringLiteral("--seed"), QStringLiteral("1"), QStringLiteral("--seed=2")},
                             {QStringLiteral("save.dat")}};
  for (const QStringList& args : bad) {
    const auto r = parse(args);
    EXPECT_FALSE(r.run) << args.join(u' ').toStdString();
    EXPECT_EQ(r.exitCode, 2) << args.join(u' ').toStdString();
    EXPECT_TRUE(r.text.contains(QStringLiteral("polmina --help"))) << r.text.toStdString();
  }
  // Named as typed, in Japanese only, the seed's range in numbers.
  EXPECT_TRUE(parse({QStringLiteral("-bogus=1")})
                  .text.startsWith(QStringLiteral("知らないオプションです: -bogus\n")));
  EXPECT_TRUE(parse({QStringLiteral("--scale")})
                  .text.startsWith(QStringLiteral("オプション --scale に値がありません。")));
  EXPECT_TRUE(parse({QStringLiteral("--seed"), QStringLiteral("18446744073709551616")})
                  .text.contains(QStringLiteral("0 から 18446744073709551615 までの整数")));
}

TEST(DisplaySize, FirstStartPicksTheLargestSizeThatFitsTheRaceWindow) {
  EXPECT_EQ(scaleForScreen(1920, 1080), 2.0);
  EXPECT_EQ(scaleForScreen(1366, 768), 1.5);
  EXPECT_EQ(scaleForScreen(3840, 2160), 3.0);
  EXPECT_EQ(scaleForScreen(1024, 768), 1.0);
  EXPECT_EQ(scaleForScreen(640, 480), 1.0);
  // Every window, the growth charts the biggest, with its title bar: ×3 does not fit 1920 x 1080.
  EXPECT_FALSE(scaleFits(3.0, 1920, 1080));
  EXPECT_EQ(largestFittingScale(1920, 1080), 2.0);
  EXPECT_EQ(largestFittingScale(800, 600), 1.0);
  EXPECT_EQ(largestFittingScale(640, 400), 1.0) << "the smallest size even when nothing fits";
  EXPECT_EQ(nearestScale(2.2), 2.0);
  EXPECT_EQ(scaleCaption(1.5), QStringLiteral("×1.5"));
}

// Run at ×1 with the other tests and again at ×3 (QT_SCALE_FACTOR=3): the pictures come drawn for the
// display's ratio and keep the game's size.
TEST(Pictures, LoadedForTheDisplayRatio) {
  const int ratio = pictureRatio();
  if (qEnvironmentVariable("QT_SCALE_FACTOR") == QStringLiteral("3")) {
    EXPECT_EQ(ratio, 3);
  }
  const QPixmap title = loadPicture(QStringLiteral(":/art/title.png"));
  EXPECT_EQ(title.devicePixelRatio(), ratio);
  EXPECT_EQ(title.deviceIndependentSize(), QSizeF(295, 238));
  const QImage sheet = loadPictureImage(QStringLiteral(":/art/home/breed03.png"));
  EXPECT_EQ(sheet.size(), QSize(1050 * ratio, 70 * ratio));
  RaceScene scene;
  EXPECT_EQ(scene.picture().size(), QSize(RaceScene::Width, RaceScene::Height) * ratio);
}

class Desktop : public WindowTest {
 protected:
  static void activate(QWidget* w) {
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
  }
  static QString focused() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
  }
  static void key(Qt::Key k, Qt::KeyboardModifiers m = {}) {
    QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    QTest::keyClick(to, k, m);
  }
};

TEST_F(Desktop, ANewGameAndItsFirstWeekFromTheKeyboardAlone) {
  WindowWorld& w = *world;
  w.wm.showWindow(GameWindow::Wizard);
  activate(&w.wm.wizardWindow());
  EXPECT_EQ(focused(), QStringLiteral("ButNext0"));
  key(Qt::Key_Return);
  EXPECT_EQ(focused(), QStringLiteral("Txt0"));
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("abc"));
  key(Qt::Key_Escape);  // 戻る, then forward again: the name stays
  key(Qt::Key_Return);
  key(Qt::Key_Return);
  EXPECT_EQ(focused(), QStringLiteral("Txt1"));
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("tama"));
  key(Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(focused(), QStringLiteral("Opt0"));
  key(Qt::Key_Space);  // the first type, then two to the right
  EXPECT_EQ(w.s().cats[0].breed, 0);
  key(Qt::Key_Right);
  key(Qt::Key_Right);
  EXPECT_EQ(w.s().cats[0].breed, 2);
  w.ui.script.push_back(true);  // "これで良いですか？"
  key(Qt::Key_Return);
  ASSERT_TRUE(main()->isVisible());

  activate(main());
  key(Qt::Key_Return);  // nothing is open: Enter does nothing
  EXPECT_EQ(text("labNen"), QStringLiteral("2001年1月1週"));
  key(Qt::Key_T, Qt::ControlModifier);  // 調教
  EXPECT_EQ(main()->button(Command::Training)->text(), QStringLiteral("ＯＫ"));
  key(Qt::Key_Return);
  EXPECT_EQ(main()->button(Command::Training)->text(), QStringLiteral("調教"));
  key(Qt::Key_L, Qt::ControlModifier);  // 現役
  EXPECT_EQ(main()->button(Command::ActiveCats)->text(), QStringLiteral("戻る"));
  key(Qt::Key_Escape);
  EXPECT_EQ(main()->button(Command::ActiveCats)->text(), QStringLiteral("現役"));
  w.atResults = [&] {
    EXPECT_TRUE(main()->weekRunning());
    key(Qt::Key_Return);  // the results' OK
  };
  key(Qt::Key_N, Qt::ControlModifier);  // 次週
  EXPECT_FALSE(main()->weekRunning());
  EXPECT_EQ(text("labNen"), QStringLiteral("2001年1月2週"));
  EXPECT_EQ(main()->button(Command::NextWeek)->toolTip(), QStringLiteral("キー: Ctrl+N"));
  EXPECT_EQ(main()->button(Command::Help)->toolTip(), QStringLiteral("キー: F1"));
}

TEST_F(Desktop, RadioOptionsAnswerTheAccessibilityToggleAsAClick) {
  WindowWorld& w = *world;
  // The action clicks the button as a player does, after a short press shown on the screen.
  auto toggle = [](QAbstractButton* option) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(option);
    ASSERT_TRUE(a && a->actionInterface());
    EXPECT_TRUE(a->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    a->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    for (int i = 0; i < 100 && !option->isChecked(); ++i) QTest::qWait(10);
  };
  w.wm.showWindow(GameWindow::Wizard);
  QWidget* wizard = &w.wm.wizardWindow();
  w.click(wizard, "ButNext0");
  w.type(wizard, "Txt0", QStringLiteral("abc"));
  w.click(wizard, "ButNext1");
  w.type(wizard, "Txt1", QStringLiteral("tama"));
  w.click(wizard, "ButNext2");
  toggle(w.find<QRadioButton>(wizard, "Opt7"));
  EXPECT_EQ(w.find<QLabel>(wizard, "labBreed")->text(), QStringLiteral("ミケ"));
  w.ui.script.push_back(true);
  w.click(wizard, "ButNext3");
  ASSERT_TRUE(main()->isVisible());
  EXPECT_EQ(w.s().cats[w.s().playerCat].breed, 7);
  auto* opt = w.find<QRadioButton>(main(), "Opt3");
  toggle(opt);
  EXPECT_TRUE(opt->isChecked());
  EXPECT_EQ(w.s().cats[w.s().playerCat].styleFlags[2], 1);
  EXPECT_EQ(w.s().cats[w.s().playerCat].styleFlags[3], 1);
}

// On the title window no game is in progress: the size chosen is remembered and the program ends to
// start again at that size, with the same arguments less --scale.
TEST_F(Desktop, TheTitleWindowAppliesTheDisplaySizeByStartingAgain) {
  WindowWorld& w = *world;
  const auto offered = [](QWidget& window, QAction** x3) {
    auto* menu = window.findChild<QMenu*>(QStringLiteral("displaySizeMenu"));
    QStringList captions;
    for (QAction* sub : menu ? displaySizeSubmenus(menu) : QList<QAction*>{})
      for (QAction* a : sub->menu()->actions())
        if (a->isCheckable()) {
          captions << a->text();
          if (a->text() == QStringLiteral("×3")) *x3 = a;
        }
    return captions;
  };
  QAction* x3 = nullptr;
  w.wm.showWindow(GameWindow::Title);
  EXPECT_EQ(offered(w.wm.titleWindow(), &x3), (QStringList{"×1", "日本語", "English"}))
      << "800 x 600 holds only ×1";
  // The same screen shown at ×2.5 stands for a desktop of 2000 x 1500, where every size fits.
  setRunningScale(2.5, std::nullopt);
  TitleWindow big(w.wm);
  setRunningScale(1.0, std::nullopt);
  EXPECT_EQ(offered(big, &x3), (QStringList{"×1", "×1.5", "×2", "×3", "日本語", "English"}));
  ASSERT_NE(x3, nullptr);
  x3->trigger();
  EXPECT_EQ(rememberedScale(), 3.0);
  EXPECT_TRUE(restartRequested());
  EXPECT_TRUE(w.ended);
  EXPECT_EQ(argumentsForRestart({"polmina", "--seed", "5", "--scale", "2", "-scale=1.5", "--scale=3", "--lang", "en",
                                 "--lang=ja"}),
            (QStringList{"polmina", "--seed", "5"}));
  // The language the same way: remembered, and applied by starting again.
  EXPECT_EQ(rememberedLanguage(), Language::Japanese);
  w.ended = false;
  big.findChild<QMenu*>(QStringLiteral("displaySizeMenu"))->findChild<QAction*>(QStringLiteral("language_en"))->trigger();
  EXPECT_EQ(rememberedLanguage(), Language::English);
  EXPECT_TRUE(w.ended);
  rememberLanguage(Language::Japanese);
}

}  // namespace
}  // namespace polmina::test
