#include "ui/topic_window.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>

#include "ui/fonts.h"
#include "ui/qt_text.h"
#include "ui/resources.h"
#include "ui/widgets.h"
#include "news/topics.h"
#include "world/state.h"

namespace polmina {

namespace {

constexpr int kFace = 40;
// The face column to the right of the article.
constexpr int kColumnX = 216;
constexpr int kColumnWidth = 65;

QLabel* wrapped(QWidget* parent, const QString& text, const QRect& geometry, const QFont& font,
                const char* name, Qt::Alignment alignment) {
  QLabel* l = makeLabel(parent, text, geometry, font, QString::fromLatin1(name));
  // Names come from the save file and the player: never read as markup.
  l->setTextFormat(Qt::PlainText);
  l->setWordWrap(true);
  l->setAlignment(alignment);
  return l;
}

// The headline's lines each end in a line break; the last one would only add an empty line.
QString headlineText(const std::u16string& headline) {
  QString t = shownText(headline);
  while (t.endsWith(QLatin1Char('\n'))) t.chop(1);
  return t;
}

}  // namespace

FaceBox::FaceBox(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Pic1"));
  setAccessibleName(qtr(u"猫の顔"));
}

void FaceBox::showFace(int breed) {
  face_ = QImage();
  if (breed >= 0 && breed < BreedCount) {
    const QImage strip =
        loadPictureImage(QStringLiteral(":/art/race/breed%1.png").arg(breed, 2, 10, QLatin1Char('0')));
    // Pose 1 of the running strip is the cat looking out of the picture.
    const int r = qRound(strip.devicePixelRatio());
    if (!strip.isNull()) face_ = strip.copy(kFace * r, 0, kFace * r, kFace * r);
  }
  update();
}

void FaceBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(0xff, 0xff, 0xff));
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  if (!face_.isNull()) p.drawImage(QRect(0, 0, kFace, kFace), face_);
}

TopicWindow::TopicWindow(const Topic& topic, QWidget* mainWindow) : QDialog(mainWindow) {
  setObjectName(QStringLiteral("TopicFm"));
  setWindowTitle(qtr(TopicsTitle));
  // In the main window's place: its size and its corner.
  setFixedSize(mainWindow->size());
  move(mainWindow->pos());

  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("Frame1"));
  frame->setGeometry(2, 2, width() - 4, height() - 4);
  frame->setFrameShape(QFrame::StyledPanel);
  frame->setStyleSheet(
      QStringLiteral("#Frame1 { background-color: #fbf8ef; border: 1px solid #b8ad96; }"
                     " QLabel { color: #2a2620; }"));
  const int inner = frame->width() - 8;
  QLabel* title = wrapped(frame, headlineText(topic.headline), {4, 1, inner, 32}, mincho(9.75, true),
                          "LabTitle", Qt::AlignHCenter | Qt::AlignVCenter);
  fitText(title, 8);
  auto* rule = new QFrame(frame);
  rule->setGeometry(4, 35, inner, 2);
  rule->setStyleSheet(QStringLiteral("border-top: 1px solid #6b6353; border-bottom: 1px solid #b8ad96;"));
  // 209 wide as designed, and as tall as the frame allows: the result and entries topics run to
  // thirteen lines.
  QLabel* article = wrapped(frame, keepNamesWhole(shownText(topic.article), topic.names), {6, 38, 209, frame->height() - 39}, gothic(9),
                            "Label1", Qt::AlignLeft | Qt::AlignTop);
  fitText(article, 7);
  buildFaceColumn(frame, topic);

  QPushButton* ok =
      makeButton(frame, QStringLiteral("OK"), {kColumnX + 6, 181, 53, 20}, QStringLiteral("ButTopic"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] {
    hide();
    accept();
  });
}

void TopicWindow::buildFaceColumn(QWidget* frame, const Topic& topic) {
  auto* pic = new FaceBox(frame);
  // 615 wide and 600 high in twips, the face at its corner.
  pic->setGeometry(kColumnX + 12, 42, 41, 40);
  pic->showFace(topic.faceBreed);
  pic->setVisible(topic.faceBreed >= 0);
  const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
  QLabel* caption =
      wrapped(frame, qs(topic.caption), {kColumnX, 85, kColumnWidth, 15}, gothic(8, true), "Lab", centred);
  fitText(caption, 6.5);
  QLabel* name =
      wrapped(frame, qs(topic.faceName), {kColumnX, 101, kColumnWidth, 44}, gothic(9), "LabName", centred);
  showFaceName(name);
  name->setText(keepNamesWhole(name->text(), topic.names));
  // Narrow enough that the line breaks after "担当記者", wide enough for the reporter's name.
  QLabel* byline = wrapped(frame, qtr(u"担当記者 ") + qtr(N_(u"森野すず")), {kColumnX + 7, 146, 51, 30},
                           gothic(8), "LabEnd", centred);
  fitText(byline, 6.5);
}

// The cat under the face: its age and sex on a line of their own below its name, so that the line
// breaks between name and age; only a name wider than the column breaks, at the column's edge.
void showFaceName(QLabel* label) {
  // The age and sex as the article writes them, in the shown language.
  QString pattern = QRegularExpression::escape(qs(ageAndSex(12345, 0)));
  const QString male = QRegularExpression::escape(qtr(u"雄")), female = QRegularExpression::escape(qtr(u"雌"));
  pattern.replace(QStringLiteral("12345"), QStringLiteral("\\d+"));
  pattern.replace(male, QStringLiteral("(?:%1|%2)").arg(male, female));
  const QRegularExpression kAgeAndSex(QStringLiteral(" ?") + pattern + QLatin1Char('$'));
  const QString text = label->text();
  const QRegularExpressionMatch m = kAgeAndSex.match(text);
  const QString name = m.hasMatch() ? text.left(m.capturedStart()) : text;
  if (m.hasMatch()) label->setText(name + QLatin1Char('\n') + m.captured().trimmed());
  // The name on one line of its own: the type gets smaller, then narrower, rather than break it.
  QFont font = label->font();
  const auto nameWidth = [&] { return QFontMetrics(font).horizontalAdvance(name); };
  while (nameWidth() > label->width() && font.pointSizeF() - 0.5 >= 7) font.setPointSizeF(font.pointSizeF() - 0.5);
  for (int stretch = 95; nameWidth() > label->width() && stretch >= 60; stretch -= 5) font.setStretch(stretch);
  label->setFont(font);
}

bool fitText(QLabel* label, double minPoints) {
  QFont font = label->font();
  const auto fits = [&] {
    const QRect need = QFontMetrics(font).boundingRect(
        QRect(0, 0, label->width(), 10000), static_cast<int>(label->alignment()) | Qt::TextWordWrap,
        label->text());
    return need.width() <= label->width() && need.height() <= label->height();
  };
  while (!fits() && font.pointSizeF() - 0.5 >= minPoints) font.setPointSizeF(font.pointSizeF() - 0.5);
  label->setFont(font);
  return fits();
}

}  // namespace polmina
