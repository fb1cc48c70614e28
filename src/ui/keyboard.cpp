#include "ui/keyboard.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QShortcut>
#include <QWidget>

#include "platform/frontend.h"
#include "ui/accessible.h"
#include "ui/launch.h"

namespace polmina {

void setCommandKey(QAbstractButton* button, const QKeySequence& keys) {
  // A shortcut of the window rather than of the button: a button's own shortcut is reset by every
  // change of its caption.
  auto* shortcut = new QShortcut(keys, button->window());
  QObject::connect(shortcut, &QShortcut::activated, button, [button] {
    if (button->isEnabled() && button->isVisible()) button->click();
  });
  button->setToolTip(QStringLiteral("キー: %1").arg(keys.toString(QKeySequence::NativeText)));
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

QKeySequence displaySizeKey() { return QKeySequence(Qt::CTRL | Qt::Key_D); }

QMenu* addDisplaySizeMenu(QWidget* window, Frontend& ui, std::function<void()> applyNow) {
  auto* menu = new QMenu(QStringLiteral("表示サイズ"), window);
  menu->setObjectName(QStringLiteral("displaySizeMenu"));
  menu->addSection(QStringLiteral("表示サイズ"));
  auto* group = new QActionGroup(menu);
  const double current = rememberedScale().value_or(1.0);
  for (double scale : kDisplayScales) {
    QAction* a = menu->addAction(scaleCaption(scale));
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
        QStringLiteral("表示サイズを%1にしました。\r\n次に起動したときから、この大きさで表示します。")
            .arg(scaleCaption(scale));
    ui.tell(u"ルネッタ", text.toStdU16String());
  });
  window->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(window, &QWidget::customContextMenuRequested, menu,
                   [window, menu](const QPoint& at) { menu->popup(window->mapToGlobal(at)); });
  openContextMenusByKeys(window);
  auto* key = new QShortcut(displaySizeKey(), window);
  QObject::connect(key, &QShortcut::activated, menu,
                   [window, menu] { menu->popup(window->mapToGlobal(window->rect().center())); });
  return menu;
}

}  // namespace polmina
