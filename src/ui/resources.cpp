#include "ui/resources.h"

#include <QApplication>
#include <QImage>
#include <QLibraryInfo>
#include <QPixmap>
#include <QStyleFactory>
#include <QTranslator>

#include "ui/accessible.h"
#include "ui/fonts.h"

static void initArt() { Q_INIT_RESOURCE(art); }

namespace polmina {

namespace {

// Compact controls for the small fixed windows: captions must fit buttons of 48 x 18.
constexpr const char* kStyleSheet = R"(
QPushButton {
  font-family: "IPAGothic";
  padding: 0px 1px; min-width: 0px; min-height: 0px;
  border: 1px solid #8c8c8c; border-radius: 2px;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fefefe, stop:1 #e2e2e2);
}
QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #e8eef8); }
QPushButton:pressed { background: #d2dae8; }
QPushButton:focus { border-color: #3a6fc0; }
QPushButton:disabled { color: #9a9a9a; border-color: #c4c4c4; background: #eeeeee; }
QMessageBox QPushButton, QDialogButtonBox QPushButton { padding: 2px 10px; min-width: 56px; min-height: 18px; }
QGroupBox { border: 1px solid #a8a8a8; border-radius: 2px; margin-top: 7px; }
QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px; padding: 0px 2px; }
)";

}  // namespace

void initResources() { initArt(); }

void installLook() {
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  installDefaultFont();
  qApp->setStyleSheet(QString::fromLatin1(kStyleSheet));
  markFocus();
}

int pictureRatio() {
  const qreal dpr = qApp ? qApp->devicePixelRatio() : 1.0;
  return dpr > 2.0 ? 3 : dpr > 1.0 ? 2 : 1;
}

QImage loadPictureImage(const QString& path) {
  for (int ratio = pictureRatio(); ratio > 1; --ratio) {
    QImage img(path.left(path.size() - 4) + QStringLiteral("@%1x.png").arg(ratio));
    if (!img.isNull()) {
      img.setDevicePixelRatio(ratio);
      return img;
    }
  }
  return QImage(path);
}

QPixmap loadPicture(const QString& path) { return QPixmap::fromImage(loadPictureImage(path)); }

bool installJapaneseButtons() {
  auto* translator = new QTranslator(qApp);
  if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

}  // namespace polmina
