// The game's message boxes as the player sees them: the game's own titles, every button caption
// whole, and a notice taller than the screen that scrolls; bold captions. Run at scale 1 and again at
// scale 2.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "ui/fonts.h"
#include "ui/qt_frontend.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"

namespace polmina {
namespace {

// Runs `look` on the modal box once it is up, then closes it.
void whenUp(const std::function<void(QWidget&)>& look) {
  QTimer::singleShot(0, [look] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    look(*box);
    box->close();
  });
}

TEST(MessageBoxes, TitlesAreTheGamesAndEveryCaptionFits) {
  struct Box {
    std::u16string title, text;
    bool question;
  };
  const Box boxes[] = {{u"終了", u"本当に終了します？", true},
                       {u"ルネッタ", u"ゲームを再開します。", true},
                       {u"ルネッタ", u"ファイルが開けません。", false}};
  QtFrontend ui;
  for (const Box& b : boxes) {
    int buttons = 0;
    whenUp([&](QWidget& box) {
      EXPECT_EQ(box.windowTitle(), qs(b.title));
      EXPECT_GE(box.width(), box.fontMetrics().horizontalAdvance(qs(b.title)) + 40);
      for (QAbstractButton* button : box.findChildren<QAbstractButton*>()) {
        ++buttons;
        const QString caption = button->text().remove(QLatin1Char('&'));
        EXPECT_TRUE(button->icon().isNull()) << caption.toStdString();
        EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(caption) + 8) << caption.toStdString();
        EXPECT_GE(box.width(), button->geometry().right()) << caption.toStdString();
      }
    });
    if (b.question)
      ui.askYesNo(Question::Settings, b.title, b.text);
    else
      ui.tell(Question::Settings, b.title, b.text);
    EXPECT_EQ(buttons, b.question ? 2 : 1);
  }
}

TEST(MessageBoxes, ANoticeTallerThanTheScreenScrolls) {
  std::u16string record;
  for (int line = 0; line < 300; ++line) record += u"１着　猫の記録の一行\r\n";
  const int screen = QGuiApplication::primaryScreen()->availableGeometry().height();
  bool seen = false;
  whenUp([&](QWidget& box) {
    seen = true;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("ミケ"));
    EXPECT_LE(box.frameGeometry().height(), screen);
    EXPECT_NE(box.findChild<QAbstractButton*>(), nullptr);
  });
  QtFrontend ui;
  ui.tell(Question::CareerRecord, u"ミケ", record);
  EXPECT_TRUE(seen);
}

int ink(const QImage& image) {
  int dark = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 128;
  return dark;
}

// The main window's bold captions (the date, the notice line, 次週) are as much heavier than plain
// text at scale 2 as they are at scale 1.
TEST(Captions, BoldStaysBoldAtEveryScale) {
  const auto shot = [](QWidget& w) {
    w.setStyleSheet(QStringLiteral("background: white; color: black;"));
    w.setGeometry(0, 0, 121, 17);
    w.setFont(gothic(12, true));
    return w.grab().toImage();
  };
  QLabel plain(QStringLiteral("2001年12月4週"));
  BoldLabel bold(plain.text());
  const QImage boldShot = shot(bold);
  plain.setStyleSheet(QStringLiteral("background: white; color: black;"));
  plain.setGeometry(0, 0, 121, 17);
  plain.setFont(gothic(12));
  EXPECT_GT(ink(boldShot), ink(plain.grab().toImage()) * 14 / 10);
}

}  // namespace
}  // namespace polmina
