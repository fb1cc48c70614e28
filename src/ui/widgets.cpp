#include "ui/widgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

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
  auto* b = place(new QPushButton(text, parent), geometry, name);
  b->setAutoDefault(false);
  return b;
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

void paintLabel(QLabel* label, uint32_t textColour, uint32_t background) {
  QString sheet = QStringLiteral("color: %1;").arg(gameColour(textColour).name());
  if (background != ColourWindow)
    sheet += QStringLiteral(" background-color: %1;").arg(gameColour(background).name());
  label->setStyleSheet(sheet);
}

}  // namespace polmina
