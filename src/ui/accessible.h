#pragma once
// What a player without a mouse or without sight needs from the windows: focus that goes where the
// player works, panels out of view kept out of reach, and live text where a screen reader hears it
// (the current line of a focused list, or the description of the control that takes the focus).
#include <QListWidget>
#include <QString>
#include <functional>

class QAbstractButton;
class QAbstractSlider;
class QButtonGroup;
class QComboBox;
class QWidget;

namespace polmina {

// A panel moved out of the window: hidden and disabled, so that no key reaches what nobody sees.
void putAway(QWidget* panel);

// A box over `window` has closed: the window takes the keys again. Without a window manager nobody
// else gives them back.
void giveBackKeys(QWidget* window);

// Every focused scroll bar, slider and radio button shows a dotted ring, as the buttons show their
// focus (the style marks none on them). Once for the application.
void markFocus();

// Focus to the first control of `panel` that Tab would reach; false when it has none.
bool focusFirstIn(QWidget* panel);

// Says `text` through `control`'s accessible description; a screen reader reads it with the control
// as the control takes the focus. A change while it has the focus is not read (Orca drops it): to be
// heard at once, the text goes with a focus move, or as a SpokenLog's line.
void describe(QWidget* control, const QString& text);

// A closed choice box says its value with its name as it takes focus (a screen reader does not read it
// by itself), through its description. A new value is heard in the box's open list (Alt+Down).
void speakValue(QComboBox* box);

// A bar that takes focus and moves a step with the arrow keys (a scroll bar of its own does not),
// through the same value changes as a drag.
void stepWithArrows(QAbstractSlider* bar);

// Places the controls of `panel` right after `command` in the Tab order, so the command that opens
// and closes the panel and the panel's controls follow each other.
void chainPanelAfter(QWidget* command, QWidget* panel);

// Enter on `w` (focused) runs `act`.
void onEnter(QWidget* w, std::function<void()> act);

// Shift+F10 opens the focused control's context menu (or its window's), as a right click on it would
// and as the Menu key does; in a list, on its current row. Either way the menu opens on its first item.
void openContextMenusByKeys(QWidget* window);

// Enter on the focused button clicks it, as Space does (where no dialog gives Enter a meaning).
void clickOnEnter(QAbstractButton* button);

// The arrow keys choose in `group` (the next or the previous option), even while none is chosen yet.
void chooseWithArrows(QButtonGroup* group);
// The arrow keys only move the focus in `group`; Space chooses. For options whose choice has a cost.
void moveWithArrows(QButtonGroup* group);

// The live text of a window as a list of lines that takes focus: each line added becomes the current
// row, a change a screen reader speaks at once (text a program adds to a read-only box it does not),
// and the arrows read the lines again. It may lie under what shows the same text to the eye; then it
// draws nothing of its own.
class SpokenLog : public QListWidget {
 public:
  SpokenLog(QWidget* parent, const QString& name, const QString& accessibleName, bool drawn);
  // One line; a line break inside it becomes a space, so a remark is said whole.
  void addLine(const QString& line);
  QStringList lines() const;
};

// How long speech takes to say `text`, at a screen reader's usual pace, so a window that shows it
// briefly can stay until it has been heard.
double spokenSeconds(const QString& text);

}  // namespace polmina
