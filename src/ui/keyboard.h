#pragma once
// The keyboard and the display size: command keys shown in the buttons' tooltips, the focus order, and
// the 表示サイズ menu that the title window and the main window carry.
#include <QKeySequence>
#include <QList>
#include <functional>
#include <initializer_list>

class QAbstractButton;
class QAction;
class QListWidget;
class QMenu;
class QWidget;

namespace polmina {

class Frontend;

// Gives a command button its key (a click while the button is usable) and names the key in its
// tooltip, as Qt writes key sequences. The caption stays as it is.
void setCommandKey(QAbstractButton* button, const QKeySequence& keys);

// Tab visits `widgets` in this order.
void chainFocus(std::initializer_list<QWidget*> widgets);

// Enter on a row of `list` acts as a click on it (a double click stays two clicks, as before).
void activateRowsByKeyboard(QListWidget* list, std::function<void(int row)> clicked);

// The key that opens the 表示サイズ menu.
QKeySequence displaySizeKey();

// Puts the 表示サイズ menu (×1, ×1.5, ×2, ×3), and after it the 言語 / Language menu (日本語, English), on
// the window's context menu and on displaySizeKey(). A choice is remembered. With `applyNow` (where no game
// is in progress) it is applied at once by that; otherwise it applies from the next start, the running
// windows keep their size so that no game in progress is touched, and the player is told so through `ui`.
// Returns the menu (for tests).
QMenu* addDisplaySizeMenu(QWidget* window, Frontend& ui, std::function<void()> applyNow = {});
// The 表示サイズ and 言語 menus of a menu made by addDisplaySizeMenu, for a panel's menu that offers them
// beside its own commands.
QList<QAction*> displaySizeSubmenus(QMenu* windowMenu);

}  // namespace polmina
