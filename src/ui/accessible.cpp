#include "ui/accessible.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QRadioButton>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

namespace polmina {

void putAway(QWidget* panel) {
  panel->hide();
  panel->setEnabled(false);
}

namespace {

class KeyFilter : public QObject {
 public:
  KeyFilter(QObject* parent, std::function<bool(QObject*, QKeyEvent*)> handle)
      : QObject(parent), handle_(std::move(handle)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(e);
    return (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && handle_(watched, key);
  }

 private:
  std::function<bool(QObject*, QKeyEvent*)> handle_;
};

}  // namespace

void onEnter(QWidget* w, std::function<void()> act) {
  w->installEventFilter(new KeyFilter(w, [act = std::move(act)](QObject*, QKeyEvent* e) {
    if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter) return false;
    act();
    return true;
  }));
}

void stepWithArrows(QAbstractSlider* bar) {
  bar->setFocusPolicy(Qt::StrongFocus);
  bar->installEventFilter(new KeyFilter(bar, [bar](QObject*, QKeyEvent* e) {
    const int key = e->key();
    if (key == Qt::Key_Right || key == Qt::Key_Up) {
      bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    } else if (key == Qt::Key_Left || key == Qt::Key_Down) {
      bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    } else {
      return false;
    }
    return true;
  }));
}

void chainPanelAfter(QWidget* command, QWidget* panel) {
  QWidget* previous = command;
  std::vector<QWidget*> controls;
  for (QWidget* w = panel->nextInFocusChain(); w && w != panel; w = w->nextInFocusChain())
    if (panel->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus)) controls.push_back(w);
  for (QWidget* w : controls) {
    QWidget::setTabOrder(previous, w);
    previous = w;
  }
}

void clickOnEnter(QAbstractButton* button) {
  onEnter(button, [button] {
    if (button->isEnabled()) button->click();
  });
}

namespace {

// The first item of the menu that is up, chosen unless the player has chosen one already.
void chooseFirstItem() {
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  if (!menu || menu->activeAction()) return;
  for (QAction* a : menu->actions())
    if (a->isEnabled() && a->isVisible() && !a->isSeparator()) {
      menu->setActiveAction(a);
      return;
    }
}

// A context menu opened from the keyboard (Shift+F10 here, the Menu key by Qt itself) opens with its
// first item chosen, so the keys and a screen reader are in it at once: once it is up, and again a
// moment later, as the key's release can clear the choice.
class KeyboardMenus : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(e)->reason() == QContextMenuEvent::Keyboard) {
      QTimer::singleShot(0, this, chooseFirstItem);
      QTimer::singleShot(200, this, chooseFirstItem);
    }
    return false;
  }
};

}  // namespace

void openContextMenusByKeys(QWidget* window) {
  static KeyboardMenus* menus = nullptr;
  if (!menus) {
    menus = new KeyboardMenus(qApp);
    qApp->installEventFilter(menus);
  }
  auto* key = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), window);
  QObject::connect(key, &QShortcut::activated, window, [window] {
    QWidget* target = QApplication::focusWidget();
    if (!target || !window->isAncestorOf(target)) target = window;
    QPoint at = target->rect().center();
    // In a list, the menu is the current row's, where the Menu key puts it too.
    if (auto* view = qobject_cast<QAbstractItemView*>(target)) {
      target = view->viewport();
      const QModelIndex current = view->currentIndex();
      at = current.isValid() ? view->visualRect(current).center() : QPoint(4, 4);
    }
    QContextMenuEvent e(QContextMenuEvent::Keyboard, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &e);
  });
}

namespace {

void arrowsInGroup(QButtonGroup* group, bool choose) {
  auto* filter = new KeyFilter(group, [group, choose](QObject* watched, QKeyEvent* e) {
    int step = 0;
    if (e->key() == Qt::Key_Right || e->key() == Qt::Key_Down) step = 1;
    if (e->key() == Qt::Key_Left || e->key() == Qt::Key_Up) step = -1;
    const QList<QAbstractButton*> buttons = group->buttons();
    const int at = static_cast<int>(buttons.indexOf(qobject_cast<QAbstractButton*>(watched)));
    if (step == 0 || at < 0) return false;
    const int count = static_cast<int>(buttons.size());
    QAbstractButton* next = buttons[(at + step + count) % count];
    next->setFocus(Qt::TabFocusReason);
    if (choose) next->click();
    return true;
  });
  for (QAbstractButton* b : group->buttons()) b->installEventFilter(filter);
}

}  // namespace

void chooseWithArrows(QButtonGroup* group) { arrowsInGroup(group, true); }

void moveWithArrows(QButtonGroup* group) { arrowsInGroup(group, false); }

namespace {

// A ring drawn over a focused control whose style marks no focus (scroll bars, radio buttons).
class FocusMark : public QWidget {
 public:
  explicit FocusMark(QWidget* target) : QWidget(target) {
    setObjectName(QStringLiteral("focusMark"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
};

class FocusMarks : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() != QEvent::FocusIn && e->type() != QEvent::FocusOut) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || !(qobject_cast<QAbstractSlider*>(w) || qobject_cast<QRadioButton*>(w))) return false;
    auto* mark = w->findChild<QWidget*>(QStringLiteral("focusMark"), Qt::FindDirectChildrenOnly);
    if (e->type() == QEvent::FocusOut) {
      if (mark) mark->hide();
      return false;
    }
    if (!mark) mark = new FocusMark(w);
    mark->setGeometry(w->rect());
    mark->raise();
    mark->show();
    return false;
  }
};

}  // namespace

void markFocus() {
  static FocusMarks* marks = nullptr;
  if (marks) return;
  marks = new FocusMarks(qApp);
  qApp->installEventFilter(marks);
}

void giveBackKeys(QWidget* window) {
  if (window && window->window()->isVisible()) window->window()->activateWindow();
}

bool focusFirstIn(QWidget* panel) {
  for (QWidget* w = panel->nextInFocusChain(); w && w != panel; w = w->nextInFocusChain())
    if (panel->isAncestorOf(w) && w->isEnabled() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus)) {
      w->setFocus(Qt::TabFocusReason);
      return true;
    }
  return false;
}

void describe(QWidget* control, const QString& text) { control->setAccessibleDescription(text); }

void speakValue(QComboBox* box) {
  describe(box, box->currentText());
  QObject::connect(box, &QComboBox::currentTextChanged, box,
                   [box](const QString& value) { describe(box, value); });
}

namespace {

// Rows that draw nothing: the words show in the label above them.
class Unpainted : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter*, const QStyleOptionViewItem&, const QModelIndex&) const override {}
};

}  // namespace

SpokenLog::SpokenLog(QWidget* parent, const QString& name, const QString& accessibleName, bool drawn)
    : QListWidget(parent) {
  setObjectName(name);
  setAccessibleName(accessibleName);
  setFocusPolicy(Qt::StrongFocus);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  if (!drawn) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new Unpainted(this));
    setStyleSheet(QStringLiteral("background: transparent;"));
    viewport()->setAutoFillBackground(false);
  }
}

void SpokenLog::addLine(const QString& line) {
  QString said = line;
  said.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  said = said.split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QLatin1Char(' ')).trimmed();
  if (said.isEmpty()) return;
  addItem(said);
  setCurrentRow(count() - 1);
}

QStringList SpokenLog::lines() const {
  QStringList all;
  for (int i = 0; i < count(); ++i) all << item(i)->text();
  return all;
}

double spokenSeconds(const QString& text) {
  // About eight characters a second, and a moment for the reader to begin.
  return 1.5 + static_cast<double>(text.size()) / 8.0;
}

}  // namespace polmina
