#include "ui/keyboard.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <QWidget>

#include "platform/frontend.h"
#include "ui/accessible.h"
#include "ui/launch.h"
#include "ui/qt_text.h"

namespace polmina {

void setCommandKey(QAbstractButton* button, const QKeySequence& keys) {
  // A shortcut of the window rather than of the button: a button's own shortcut is reset by every
  // change of its caption.
  auto* shortcut = new QShortcut(keys, button->window());
  QObject::connect(shortcut, &QShortcut::activated, button, [button] {
    if (button->isEnabled() && button->isVisible()) button->click();
  });
  button->setToolTip(qtr(u"キー: %1").arg(keys.toString(QKeySequence::NativeText)));
}

void chainFocus(std::initializer_list<QWidget*> widgets) {
  QWidget* previous = nullptr;
  for (QWidget* w : widgets) {
    if (previous) QWidget::setTabOrder(previous, w);
    previous = w;
  }
}

void activateRowsByKeyboard(QListWidget* list, std::function<void(int row)> clicked) {
  QObject::connect(list, &QListWidget::itemActivated, list, [list, clicked](QListWidgetItem* item) {
    if (QGuiApplication::mouseButtons() == Qt::NoButton) clicked(list->row(item));
  });
}

namespace {

// 言語 / Language, a menu of its own after the display sizes: named in both languages, so that a player
// who cannot read the one shown still finds it.
void addLanguageMenu(QMenu* windowMenu, Frontend& ui, std::function<void()> applyNow) {
  QMenu* menu = windowMenu->addMenu(QStringLiteral("言語 / Language"));
  menu->setObjectName(QStringLiteral("languageSubmenu"));
  auto* group = new QActionGroup(menu);
  const Language current = rememberedLanguage();
  for (Language lang : {Language::Japanese, Language::English}) {
    QAction* a = menu->addAction(lang == Language::Japanese ? QStringLiteral("日本語") : QStringLiteral("English"));
    a->setObjectName(QStringLiteral("language_") + qs(languageCode(lang)));
    a->setCheckable(true);
    a->setChecked(lang == current);
    a->setData(static_cast<int>(lang));
    group->addAction(a);
  }
  QObject::connect(group, &QActionGroup::triggered, menu, [&ui, applyNow](QAction* a) {
    const auto lang = static_cast<Language>(a->data().toInt());
    if (rememberedLanguage() == lang) return;
    rememberLanguage(lang);
    if (applyNow) {
      applyNow();
      return;
    }
    ui.tell(Question::Settings, BoxTitle, lang == Language::English
                                 ? u"The game will be in English from the next start.\r\n次に起動したときから英語で表示します。"
                                 : u"次に起動したときから日本語で表示します。\r\nThe game will be in Japanese from the next start.");
  });
}

}  // namespace

QKeySequence displaySizeKey() { return QKeySequence(Qt::CTRL | Qt::Key_D); }

QMenu* addDisplaySizeMenu(QWidget* window, Frontend& ui, std::function<void()> applyNow) {
  auto* menu = new QMenu(qtr(u"表示サイズ"), window);
  menu->setObjectName(QStringLiteral("displaySizeMenu"));
  // The sizes, the languages (and the sound) each a menu of their own: a screen reader names a menu as
  // it is reached, where it passes over a section's heading.
  QMenu* sizes = menu->addMenu(qtr(u"表示サイズ"));
  sizes->setObjectName(QStringLiteral("displaySizeSubmenu"));
  auto* group = new QActionGroup(sizes);
  // Only the sizes whose windows fit the screen (its size in the desktop's units, before the game's own
  // scale divided it). The size remembered is marked; when it does not fit, the size shown instead.
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  const QSize desk = screen ? screen->geometry().size() * runningScale() : QSize();
  const auto fits = [&](double scale) {
    return !screen || scale <= 1.0 || scaleFits(scale, desk.width(), desk.height());
  };
  double current = rememberedScale().value_or(1.0);
  if (!fits(current)) current = runningScale();
  for (double scale : DisplayScales) {
    if (!fits(scale)) continue;
    QAction* a = sizes->addAction(scaleCaption(scale));
    a->setCheckable(true);
    a->setChecked(scale == current);
    a->setData(scale);
    group->addAction(a);
  }
  QObject::connect(group, &QActionGroup::triggered, window, [&ui, applyNow](QAction* a) {
    const double scale = a->data().toDouble();
    if (rememberedScale() == scale) return;
    rememberScale(scale);
    if (applyNow) {
      applyNow();
      return;
    }
    const QString text =
        qtr(u"表示サイズを%1にしました。\r\n次に起動したときから、この大きさで表示します。")
            .arg(scaleCaption(scale));
    ui.tell(Question::Settings, BoxTitle, text.toStdU16String());
  });
  addLanguageMenu(menu, ui, applyNow);
  // The hall of fame, where the window offers it.
  if (auto* hall = window->findChild<QAction*>(QStringLiteral("actHall"), Qt::FindDirectChildrenOnly)) {
    menu->addSeparator();
    menu->addAction(hall);
  }
  window->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(window, &QWidget::customContextMenuRequested, menu,
                   [window, menu](const QPoint& at) { menu->popup(window->mapToGlobal(at)); });
  openContextMenusByKeys(window);
  auto* key = new QShortcut(displaySizeKey(), window);
  QObject::connect(key, &QShortcut::activated, menu,
                   [window, menu] { menu->popup(window->mapToGlobal(window->rect().center())); });
  return menu;
}

QList<QAction*> displaySizeSubmenus(QMenu* windowMenu) {
  QList<QAction*> menus;
  for (const char* name : {"displaySizeSubmenu", "languageSubmenu"})
    if (auto* m = windowMenu->findChild<QMenu*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly))
      menus << m->menuAction();
  return menus;
}

}  // namespace polmina
