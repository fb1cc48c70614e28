#pragma once
// Controls placed at pixel positions, named for tests and accessibility tools.
#include <QFont>
#include <QGroupBox>
#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
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
QGroupBox* makeFrame(QWidget* parent, const QString& title, const QRect& geometry, const QString& name = {});

// A colour of the game's labels (0x00BBGGRR).
QColor gameColour(uint32_t bgr);
// Text colour and background of a label; ColourWindow leaves the background to the window.
void paintLabel(QLabel* label, uint32_t textColour, uint32_t background);

}  // namespace polmina
