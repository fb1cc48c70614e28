// Every picture the windows load: present in the resources, of the size and cell layout the
// windows cut it by, with living animation frames and clean transparent edges.
#include <algorithm>
#include <cstdlib>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Sheet {
  QString path;
  int width, height;
  int cell;          // width of one frame; 0 when the picture is a single image
  bool transparent;  // drawn over something else
};

QList<Sheet> allPictures() {
  QList<Sheet> list;
  for (int b = 0; b < 11; ++b) {
    QString n = QStringLiteral("%1").arg(b, 2, 10, QLatin1Char('0'));
    list.append({QStringLiteral(":/art/race/breed%1.png").arg(n), 240, 40, 40, true});
    list.append({QStringLiteral(":/art/home/breed%1.png").arg(n), 1050, 70, 70, true});
  }
  list.append({QStringLiteral(":/art/race/upper.png"), 900, 50, 0, false});
  list.append({QStringLiteral(":/art/race/course.png"), 900, 250, 0, false});
  list.append({QStringLiteral(":/art/race/gate.png"), 60, 249, 0, true});
  list.append({QStringLiteral(":/art/race/marker.png"), 24, 249, 0, true});
  list.append({QStringLiteral(":/art/race/goal.png"), 44, 249, 0, true});
  list.append({QStringLiteral(":/art/home/background.png"), 80, 80, 0, false});
  list.append({QStringLiteral(":/art/home/shadow.png"), 80, 40, 0, true});
  list.append({QStringLiteral(":/art/title.png"), 295, 238, 0, false});
  list.append({QStringLiteral(":/art/breeds.png"), 275, 25, 25, true});
  list.append({QStringLiteral(":/art/version.png"), 80, 80, 0, true});
  list.append({QStringLiteral(":/art/icon256.png"), 256, 256, 0, true});
  list.append({QStringLiteral(":/art/icon64.png"), 64, 64, 0, true});
  return list;
}

QImage load(const QString& path) {
  return QImage(path).convertToFormat(QImage::Format_ARGB32);
}

// The first edge of r that has a visible pixel on it, or an empty string.
QString touchedEdge(const QImage& img, QRect r) {
  for (int x = r.left(); x <= r.right(); ++x) {
    if (qAlpha(img.pixel(x, r.top()))) return QStringLiteral("top");
    if (qAlpha(img.pixel(x, r.bottom()))) return QStringLiteral("bottom");
  }
  for (int y = r.top(); y <= r.bottom(); ++y) {
    if (qAlpha(img.pixel(r.left(), y))) return QStringLiteral("left");
    if (qAlpha(img.pixel(r.right(), y))) return QStringLiteral("right");
  }
  return {};
}

int opaquePixels(const QImage& img, QRect r) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += qAlpha(img.pixel(x, y)) > 128;
  return n;
}

}  // namespace

Q_DECLARE_METATYPE(Sheet)

class ArtTest : public QObject {
  Q_OBJECT

private slots:
  void picture_data() {
    QTest::addColumn<Sheet>("sheet");
    for (const Sheet& s : allPictures()) QTest::newRow(qPrintable(s.path)) << s;
  }

  // Size, and transparency where the picture is laid over another; the same at @2x and @3x, drawn for
  // the large display sizes (all but the icons).
  void picture() {
    QFETCH(Sheet, sheet);
    const bool large = !sheet.path.contains(QStringLiteral("icon"));
    for (int ratio = 1; ratio <= (large ? 3 : 1); ++ratio) {
      const QString path =
          ratio == 1 ? sheet.path : sheet.path.chopped(4) + QStringLiteral("@%1x.png").arg(ratio);
      QImage img = load(path);
      QVERIFY2(!img.isNull(), qPrintable(path + QStringLiteral(" missing from the resources")));
      QCOMPARE(img.size(), QSize(sheet.width, sheet.height) * ratio);
      if (sheet.transparent) {
        for (QPoint corner : {QPoint(0, 0), QPoint(img.width() - 1, 0), QPoint(0, img.height() - 1),
                              QPoint(img.width() - 1, img.height() - 1)})
          QCOMPARE(qAlpha(img.pixel(corner)), 0);
      } else {
        QCOMPARE(opaquePixels(img, img.rect()), img.width() * img.height());
      }
    }
  }

  void cells_data() {
    QTest::addColumn<Sheet>("sheet");
    for (const Sheet& s : allPictures())
      if (s.cell) QTest::newRow(qPrintable(s.path)) << s;
  }

  // Every frame holds a whole cat that stays inside its cell (a cat touching the cell's edge is
  // cut off when drawn), and no two frames of a sheet are the same picture.
  void cells() {
    QFETCH(Sheet, sheet);
    QImage img = load(sheet.path);
    QCOMPARE(img.width() % sheet.cell, 0);
    QSet<QByteArray> seen;
    for (int x = 0; x < img.width(); x += sheet.cell) {
      QRect cell(x, 0, sheet.cell, img.height());
      QString edge = touchedEdge(img, cell);
      QVERIFY2(edge.isEmpty(), qPrintable(QStringLiteral("frame at x %1 touches its %2 edge").arg(x).arg(edge)));
      QVERIFY2(opaquePixels(img, cell) > sheet.cell * sheet.cell / 5, "frame nearly empty");
      QImage frame = img.copy(cell);
      QByteArray bytes(reinterpret_cast<const char*>(frame.constBits()), frame.sizeInBytes());
      QVERIFY2(!seen.contains(bytes), qPrintable(QStringLiteral("frame at x %1 repeats another").arg(x)));
      seen.insert(bytes);
    }
  }

  // The race window copies 600 pixels from offset 0..300 and wraps at 300: both scenery
  // pictures must repeat exactly every 300 pixels.
  void sceneryWrapsSeamlessly_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("upper") << QStringLiteral(":/art/race/upper.png");
    QTest::newRow("course") << QStringLiteral(":/art/race/course.png");
  }

  void sceneryWrapsSeamlessly() {
    QFETCH(QString, path);
    QImage img = load(path);
    for (int x = 0; x + 300 < img.width(); ++x)
      for (int y = 0; y < img.height(); ++y)
        if (img.pixel(x, y) != img.pixel(x + 300, y))
          QFAIL(qPrintable(QStringLiteral("differs at x %1, y %2").arg(x).arg(y)));
  }

  // The cat at home rests on its shadow: the shadow is drawn in the lower half of the 80 x 80
  // picture, under the cat's paws.
  void shadowSitsUnderThePaws() {
    QImage shadow = load(QStringLiteral(":/art/home/shadow.png"));
    int darkest = 0, darkestRow = -1;
    for (int y = 0; y < shadow.height(); ++y)
      for (int x = 0; x < shadow.width(); ++x)
        if (qAlpha(shadow.pixel(x, y)) > darkest) darkest = qAlpha(shadow.pixel(x, y)), darkestRow = y;
    QVERIFY2(darkest > 40 && darkest < 200, "a shadow is soft, neither invisible nor a solid blot");
    QVERIFY(darkestRow > 20);
  }

  // The committed pictures are what the generator draws today: a drawing change that was not followed
  // by regenerating art/ shows up here, as does a generator that is not deterministic. Qt's raster
  // engine picks its blending code by processor, so another machine may round a few edge pixels
  // differently: a handful of pixels off by a few levels is the same picture.
  static bool samePicture(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return false;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32), y = b.convertToFormat(QImage::Format_ARGB32);
    qsizetype off = 0;
    for (int row = 0; row < x.height(); ++row) {
      const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
      const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
      for (int col = 0; col < x.width(); ++col) {
        const int d = std::max({std::abs(qRed(p[col]) - qRed(q[col])), std::abs(qGreen(p[col]) - qGreen(q[col])),
                                std::abs(qBlue(p[col]) - qBlue(q[col])), std::abs(qAlpha(p[col]) - qAlpha(q[col]))});
        if (d > 3) ++off;
      }
    }
    return off * 500 <= qsizetype(x.width()) * x.height();  // at most 0.2 % of the pixels
  }

  void committedPicturesMatchTheGenerator() {
    QTemporaryDir out;
    QVERIFY(out.isValid());
    QProcess artgen;
    artgen.start(QStringLiteral(POLMINA_ARTGEN), {out.path()});
    QVERIFY(artgen.waitForFinished(120000));
    QCOMPARE(artgen.exitCode(), 0);
    int compared = 0;
    QDirIterator it(out.path(), {QStringLiteral("*.png"), QStringLiteral("*.qrc")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString fresh = it.next(), rel = QDir(out.path()).relativeFilePath(fresh);
      const QString committed = QStringLiteral(POLMINA_ART_DIR "/") + rel;
      if (rel.endsWith(QStringLiteral(".qrc"))) {
        QFile a(fresh), b(committed);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QVERIFY2(a.readAll() == b.readAll(), "art.qrc is stale");
      } else {
        QVERIFY2(samePicture(load(fresh), load(committed)), qPrintable(rel + QStringLiteral(" is stale")));
      }
      ++compared;
    }
    // Each resource picture at three ratios but the two icons, the eight desktop icons, the contact
    // sheet and art.qrc.
    QCOMPARE(compared, (allPictures().size() - 2) * 3 + 2 + 8 + 2);
  }
};

QTEST_GUILESS_MAIN(ArtTest)
#include "art_test.moc"
