// The one cat painter of the game: every breed, every pose, every mood.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPointF>
#include <QString>

namespace artgen {

constexpr int kBreedCount = 11;

enum class Pattern { Solid, Mackerel, Classic, Points, Calico, Ticked, Bicolour, Chinchilla };

// What a cat lover sees first: colours, markings, coat length and the shape of the face.
struct Coat {
  QString name;
  Pattern pattern;
  QColor base;      // main coat colour
  QColor dark;      // stripes, points, black patches, the dark cap
  QColor light;     // belly, muzzle
  QColor patch;     // second patch colour (the calico's orange)
  QColor eye;
  QColor nose;
  QColor faceLine;  // mouth and closed eyes; light on dark faces
  bool longHair = false;
  bool flatFace = false;
  double earScale = 1.0;
  double headWidth = 1.0;
  double bodyWidth = 1.0;  // slender or cobby
};

const Coat& coat(int breed);

enum class Eyes { Open, Sparkle, Happy, Closed, Half, Squeeze };
enum class Mouth { Cat, Smile, Flat, Wavy, Small };

struct Face {
  Eyes eyes = Eyes::Open;
  Mouth mouth = Mouth::Cat;
  bool blush = false;
  bool sweat = false;
  bool gloom = false;
  bool tear = false;
  double earDroop = 0;  // degrees the ears fall outward
  double look = 0;      // pupils' sideways shift, -1..1
};

// Paints into a square cell of `size` pixels whose top-left corner is at `origin`.
class CatPainter {
public:
  CatPainter(QPainter& p, const Coat& c, QPointF origin, double size);

  // Race poses 0..4 run from legs gathered (0) to fully stretched (4); 5 is the stumble.
  void racePose(int pose);
  // Home frames 0..14: by condition level, then asleep (13, 14).
  void homeFrame(int frame);
  // A sitting cat with the given face, for the title, the wizard and the version window.
  void sitting(const Face& f, double tailSwing = 0);
  // Just the head, filling the cell: icons and the breed row.
  void portrait(const Face& f);

private:
  QPainter& p_;
  const Coat& c_;
  QPointF origin_;
  double scale_;
  double ow_;  // outline width in cell units (the cell is 100 units wide)
  bool small_;

  void head(QPointF c, double r, const Face& f, double tilt = 0);
  void ears(QPointF c, double r, double droop);
  void headMarkings(QPointF c, double r);
  void eyes(QPointF c, double r, const Face& f);
  void oneEye(QPointF e, double w, double h, const Face& f, int side);
  void mouth(QPointF c, double r, Mouth m);
  void extras(QPointF c, double r, const Face& f);
  void body(QPointF c, double rx, double ry, double angle);
  void bodyMarkings(QPointF c, double rx, double ry);
  void leg(QPointF joint, double angle, double length, bool far, bool isFront);
  void tail(QPointF base, QPointF ctrl, QPointF tip);
  void paw(QPointF at, double r, bool raisedFront);
  void sittingBody(double breathe, double tailSwing);
  void sleeping(int variant);
  void outlined(const QPainterPath& path, const QBrush& fill);
  void begin();
  void end();
  QPen pen(double widthFactor = 1.0) const;
  QColor legColour(bool isFront) const;
};

}  // namespace artgen
