#include "ui/sound_menu.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QSettings>
#include <QWidget>

#include "ui/qt_text.h"
#include "ui/session.h"
#include "ui/sound.h"

namespace polmina {

namespace {

constexpr const char* kEffectsKey = "sound/effects";
constexpr const char* kMusicKey = "sound/music";
constexpr const char* kClicksKey = "sound/clicks";
// Words of one character: the catalog tells them apart from the same characters elsewhere.
constexpr const char16_t* kLevelContext = u"sound level";
constexpr const char16_t* kLevelNames[] = {NC_("sound level", u"切"), NC_("sound level", u"小"),
                                           NC_("sound level", u"中"), NC_("sound level", u"大")};

QSettings settings() {
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("polmina"),
                   QStringLiteral("polmina"));
}

SoundLevel remembered(const char* key, SoundLevel otherwise) {
  bool ok = false;
  const int v = settings().value(QString::fromLatin1(key)).toInt(&ok);
  return ok && v >= 0 && v <= 3 ? static_cast<SoundLevel>(v) : otherwise;
}

bool clicksOn() { return settings().value(QString::fromLatin1(kClicksKey), false).toBool(); }

void remember(const char* key, const QVariant& value) {
  QSettings s = settings();
  s.setValue(QString::fromLatin1(key), value);
  s.sync();
}

// 効果音 or 音楽: a submenu of four levels (a screen reader names the submenu, then the level), the
// current one checked each time it opens, since the other window may have changed it.
void addLevels(QMenu* menu, const QString& title, const char* key,
               SoundLevel (SoundPlayer::*current)() const) {
  QMenu* levels = menu->addMenu(title);
  levels->setObjectName(QString::fromLatin1(key).section(u'/', 1));
  auto* group = new QActionGroup(levels);
  for (int level = 0; level < 4; ++level) {
    QAction* a = levels->addAction(qs(trc(kLevelContext, kLevelNames[level])));
    a->setObjectName(levels->objectName() + QString::number(level));
    a->setCheckable(true);
    a->setData(level);
    group->addAction(a);
  }
  const auto mark = [group, current] {
    const int now = static_cast<int>((SoundPlayer::instance().*current)());
    for (QAction* a : group->actions()) a->setChecked(a->data().toInt() == now);
  };
  mark();
  QObject::connect(levels, &QMenu::aboutToShow, group, mark);
  QObject::connect(group, &QActionGroup::triggered, levels, [key](QAction* a) {
    remember(key, a->data().toInt());
    applyRememberedSound();
  });
}

void clickWithButtons(QWidget* window) {
  for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
    QObject::connect(b, &QAbstractButton::clicked, b, [] {
      if (clicksOn()) SoundPlayer::instance().play(Sound::Click);
    });
}

}  // namespace

std::filesystem::path soundFolder(const GamePaths& paths) {
  return findDataFile(paths, "sounds/gate.wav").parent_path();
}

void applyRememberedSound() {
  SoundPlayer::instance().setLevels(remembered(kEffectsKey, SoundLevel::Medium),
                                    remembered(kMusicKey, SoundLevel::Low));
}

QKeySequence muteKey() { return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M); }

QMenu* addSoundMenu(QMenu* menu, QWidget* window) {
  QMenu* sound = menu->addMenu(qtr(u"音量"));
  sound->setObjectName(QStringLiteral("soundMenu"));
  addLevels(sound, qtr(u"効果音"), kEffectsKey, &SoundPlayer::effectsLevel);
  addLevels(sound, qtr(u"音楽"), kMusicKey, &SoundPlayer::musicLevel);
  sound->addSeparator();
  QAction* clicks = sound->addAction(qtr(u"操作音"));
  clicks->setObjectName(QStringLiteral("soundClicks"));
  clicks->setCheckable(true);
  clicks->setChecked(clicksOn());
  QObject::connect(clicks, &QAction::toggled, sound, [](bool on) { remember(kClicksKey, on); });
  QAction* mute = sound->addAction(qtr(u"すべて消音"));
  mute->setObjectName(QStringLiteral("soundMute"));
  mute->setCheckable(true);
  mute->setShortcut(muteKey());
  window->addAction(mute);
  QObject::connect(mute, &QAction::toggled, sound, [](bool on) { SoundPlayer::instance().setMuted(on); });
  // Another window (or --mute) may have changed it meanwhile.
  QObject::connect(sound, &QMenu::aboutToShow, mute,
                   [mute] { mute->setChecked(SoundPlayer::instance().muted()); });
  QObject::connect(window, &QWidget::customContextMenuRequested, mute,
                   [mute] { mute->setChecked(SoundPlayer::instance().muted()); });
  clickWithButtons(window);
  return sound;
}

}  // namespace polmina
