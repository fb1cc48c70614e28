// artgen: draws every picture of the game and the resource file the windows load them from.
//   artgen <art folder>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <exception>
#include <functional>
#include <vector>

#include "cat.h"
#include "pictures.h"

namespace {

struct Picture {
  QString path;  // relative to the art folder; also the resource alias
  std::function<QImage()> make;
  bool inResources = true;
  bool large = true;  // in the resources, also drawn at @2x and @3x for the large display sizes
};

// The ratios every resource picture is drawn at; Qt's names for them: "name.png", "name@2x.png", ...
constexpr int kRatios[] = {1, 2, 3};

QString atRatio(const QString& path, int ratio) {
  if (ratio == 1) return path;
  return path.left(path.size() - 4) + QStringLiteral("@%1x.png").arg(ratio);
}

std::vector<Picture> pictures() {
  using namespace artgen;
  std::vector<Picture> list;
  for (int b = 0; b < kBreedCount; ++b) {
    QString n = QStringLiteral("%1").arg(b, 2, 10, QLatin1Char('0'));
    list.push_back({QStringLiteral("race/breed%1.png").arg(n), [b] { return raceStrip(b); }});
    list.push_back({QStringLiteral("home/breed%1.png").arg(n), [b] { return homeSheet(b); }});
  }
  list.push_back({QStringLiteral("race/upper.png"), upperScenery});
  list.push_back({QStringLiteral("race/course.png"), course});
  list.push_back({QStringLiteral("race/gate.png"), startGate});
  list.push_back({QStringLiteral("race/marker.png"), sectionMarker});
  list.push_back({QStringLiteral("race/goal.png"), goal});
  list.push_back({QStringLiteral("home/background.png"), homeBackground});
  list.push_back({QStringLiteral("home/shadow.png"), homeShadow});
  list.push_back({QStringLiteral("title.png"), titlePicture});
  list.push_back({QStringLiteral("breeds.png"), breedRow});
  list.push_back({QStringLiteral("version.png"), versionPicture});
  list.push_back({QStringLiteral("icon256.png"), [] { return icon(256); }, true, false});
  list.push_back({QStringLiteral("icon64.png"), [] { return icon(64); }, true, false});
  for (int size : {16, 24, 32, 48, 64, 128, 256, 512})
    list.push_back({QStringLiteral("icons/%1.png").arg(size), [size] { return icon(size); }, false, false});
  list.push_back({QStringLiteral("contact-sheet.png"), contactSheet, false, false});
  return list;
}

bool writeResources(const QDir& dir, const std::vector<Picture>& list) {
  QFile f(dir.filePath(QStringLiteral("art.qrc")));
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  QTextStream out(&f);
  out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/art\">\n";
  for (const Picture& pic : list)
    for (int ratio : kRatios)
      if (pic.inResources && (ratio == 1 || pic.large))
        out << "    <file>" << atRatio(pic.path, ratio) << "</file>\n";
  out << "  </qresource>\n</RCC>\n";
  return out.status() == QTextStream::Ok;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: artgen <art folder>\n");
    return 2;
  }
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  try {
    const auto list = pictures();
    for (int ratio : kRatios) {
      artgen::setPixelRatio(ratio);
      for (const Picture& pic : list) {
        if (ratio > 1 && !pic.large) continue;
        const QString file = dir.filePath(atRatio(pic.path, ratio));
        QDir().mkpath(QFileInfo(file).path());
        if (!pic.make().save(file, "PNG")) {
          std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(file));
          return 1;
        }
      }
    }
    if (!writeResources(dir, list)) {
      std::fprintf(stderr, "artgen: cannot write art.qrc\n");
      return 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "artgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
