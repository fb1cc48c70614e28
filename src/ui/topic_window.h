#pragma once
// The weekly newspaper: the week's topic in a window that takes the main window's place (same size,
// same spot) until its "OK" is pressed. Headline, article, the face of the cat the topic is about with
// its caption and name, and our reporter's byline.
#include <QDialog>
#include <QImage>

#include "news/topics.h"

class QLabel;

namespace polmina {

// The picture box of the face: the 40 x 40 face drawn pixel for pixel, never smoothed.
class FaceBox : public QWidget {
  Q_OBJECT
 public:
  explicit FaceBox(QWidget* parent);
  // The face of a breed from its race strip; -1 (or a breed without a picture) leaves the box empty.
  void showFace(int breed);
  const QImage& face() const { return face_; }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QImage face_;
};

class TopicWindow : public QDialog {
  Q_OBJECT
 public:
  // Built over `mainWindow`, whose size and place it takes.
  TopicWindow(const Topic& topic, QWidget* mainWindow);

  inline static const QString Reporter = QStringLiteral("森野すず");

 private:
  void buildFaceColumn(QWidget* frame, const Topic& topic);
};

// Shrinks a word-wrapped label's font in half points, down to `minPoints`, until its text fits inside
// it; true when it fits.
bool fitText(QLabel* label, double minPoints);
// The winner's line under the face: the name, then the age and sex on a line of their own.
void showFaceName(QLabel* label);

}  // namespace polmina
