#pragma once
// Controls placed at pixel positions, named for tests and accessibility tools.
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <string>
#include <vector>

class QWidget;

namespace polmina {

// A frame of the main window that is moved over the home view: it covers what lies beneath it.
class Panel : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent* e) override;
};

QLabel* makeLabel(QWidget* parent, const QString& text, const QRect& geometry, const QString& name = {});
QLabel* makeLabel(QWidget* parent, const QString& text, const QRect& geometry, const QFont& font,
                  const QString& name = {});
QPushButton* makeButton(QWidget* parent, const QString& text, const QRect& geometry,
                        const QString& name = {});
// A button made elsewhere, placed and named as makeButton does.
QPushButton* placeButton(QPushButton* b, const QRect& geometry, const QString& name);
// Bold captions that stay bold at every scale. The fonts have no bold face: the bold the font engine
// makes up is thin on a screen of more than one pixel per point, so there the caption is drawn from its
// outline with a stroke as wide as that bold adds at one pixel per point.
class BoldLabel : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* e) override;
};

// A BoldLabel in the bold Gothic of `points`, placed and named.
QLabel* makeBoldLabel(QWidget* parent, const QRect& at, double points, const QString& name);

class BoldButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent* e) override;
};

QGroupBox* makeFrame(QWidget* parent, const QString& title, const QRect& geometry, const QString& name = {});

// A colour of the game's labels (0x00BBGGRR).
QColor gameColour(uint32_t bgr);
// Text colour and background of a label; ColourWindow leaves the background to the window.
void paintLabel(QLabel* label, uint32_t textColour, uint32_t background);
// Sets a one-line label's text in its parent's type, made smaller (down to `minPoints`) where the
// text is longer than the label: a long name or race name is never cut off.
void setFittedText(QLabel* label, const QString& text, double minPoints = 7);
// `text` with each of `names` held together by word joiners: a wrapped line breaks around a name,
// never inside it.
QString keepNamesWhole(QString text, const std::vector<std::u16string>& names);

}  // namespace polmina
