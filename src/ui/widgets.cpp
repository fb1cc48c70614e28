#include "ui/widgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QPushButton>

#include "ui/fonts.h"
#include "ui/qt_text.h"
#include "world/state.h"

namespace polmina {

namespace {

template <class W>
W* place(W* w, const QRect& geometry, const QString& name) {
  w->setGeometry(geometry);
  if (!name.isEmpty()) w->setObjectName(name);
  return w;
}

}  // namespace

QLabel* makeLabel(QWidget* parent, const QString& text, const QRect& geometry, const QString& name) {
  return place(new QLabel(text, parent), geometry, name);
}

QLabel* makeLabel(QWidget* parent, const QString& text, const QRect& geometry, const QFont& font,
                  const QString& name) {
  QLabel* l = makeLabel(parent, text, geometry, name);
  l->setFont(font);
  return l;
}

QPushButton* makeButton(QWidget* parent, const QString& text, const QRect& geometry, const QString& name) {
  return placeButton(new QPushButton(text, parent), geometry, name);
}

QPushButton* placeButton(QPushButton* b, const QRect& geometry, const QString& name) {
  place(b, geometry, name);
  b->setAutoDefault(false);
  return b;
}

namespace {

// Draws `text` in `rect` from its outline, widened as the engine's made-up bold widens it: by a 24th of
// the type size in pixels.
void drawHeavyText(QPainter& p, const QRect& rect, Qt::Alignment align, const QString& text, QFont font,
                   const QColor& colour) {
  font.setBold(false);
  const QFontMetricsF fm(font);
  const double width = fm.horizontalAdvance(text);
  double x = rect.left();
  if (align & Qt::AlignHCenter) x = rect.left() + (rect.width() - width) / 2;
  if (align & Qt::AlignRight) x = rect.right() + 1 - width;
  const double baseline = rect.top() + (rect.height() - fm.height()) / 2 + fm.ascent();
  QPainterPath path;
  path.addText(QPointF(x, baseline), font, text);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillPath(path, colour);
  p.strokePath(path, QPen(colour, QFontInfo(font).pixelSize() / 24.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

bool madeUpBoldIsThin(const QWidget* w) { return w->font().bold() && w->devicePixelRatioF() > 1.25; }

}  // namespace

QLabel* makeBoldLabel(QWidget* parent, const QRect& at, double points, const QString& name) {
  auto* l = new BoldLabel(parent);
  l->setGeometry(at);
  l->setFont(gothic(points, true));
  l->setObjectName(name);
  return l;
}

void BoldLabel::paintEvent(QPaintEvent* e) {
  if (!madeUpBoldIsThin(this) || text().isEmpty()) {
    QLabel::paintEvent(e);
    return;
  }
  QPainter p(this);
  drawFrame(&p);
  drawHeavyText(p, contentsRect(), alignment(), text(), font(), palette().color(foregroundRole()));
}

void BoldButton::paintEvent(QPaintEvent* e) {
  if (!madeUpBoldIsThin(this)) {
    QPushButton::paintEvent(e);
    return;
  }
  QStylePainter p(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  p.drawControl(QStyle::CE_PushButton, option);
  const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  drawHeavyText(p, area, Qt::AlignHCenter, caption, font(), option.palette.color(QPalette::ButtonText));
}

void Panel::paintEvent(QPaintEvent* e) {
  {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
  }
  QGroupBox::paintEvent(e);
}

QGroupBox* makeFrame(QWidget* parent, const QString& title, const QRect& geometry, const QString& name) {
  return place(new QGroupBox(title, parent), geometry, name);
}

QColor gameColour(uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

void setFittedText(QLabel* label, const QString& text, double minPoints) {
  label->setText(text);
  QFont f = label->parentWidget() ? label->parentWidget()->font() : label->font();
  while (QFontMetrics(f).horizontalAdvance(text.trimmed()) > label->width() && f.pointSizeF() - 0.25 >= minPoints)
    f.setPointSizeF(f.pointSizeF() - 0.25);
  label->setFont(f);
}

QString keepNamesWhole(QString text, const std::vector<std::u16string>& names) {
  for (const std::u16string& n : names) {
    const QString name = qs(n);
    if (name.size() < 2) continue;
    QString joined;
    for (qsizetype i = 0; i < name.size(); ++i) {
      if (i > 0 && !name[i].isLowSurrogate()) joined += QChar(0x2060);
      joined += name[i];
    }
    text.replace(name, joined);
  }
  return text;
}

void paintLabel(QLabel* label, uint32_t textColour, uint32_t background) {
  QString sheet = QStringLiteral("color: %1;").arg(gameColour(textColour).name());
  if (background != ColourWindow)
    sheet += QStringLiteral(" background-color: %1;").arg(gameColour(background).name());
  label->setStyleSheet(sheet);
}

}  // namespace polmina
