#include "ui/registration_panel.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>

#include "game/booking.h"
#include "game/turn.h"
#include "ui/accessible.h"
#include "ui/fonts.h"
#include "ui/keyboard.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"
#include "world/calendar.h"
#include "world/game.h"

namespace polmina {

namespace {

// How full the row's race is ("8/12"), drawn between its name and its distance.
constexpr int FullnessRole = Qt::UserRole + 1;

// The rows end in the distance's "m". In the fixed-pitch face a half-width "m" at the small size has
// no room for its three strokes and blurs; it is drawn after the row in the proportional face, where
// it reads as a letter. It is the last character, so the columns stay where they are.
class DistanceRows : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (!opt.text.endsWith(QLatin1Char('m'))) {
      QStyledItemDelegate::paint(painter, option, index);
      return;
    }
    paintRow(painter, opt);
    paintFullness(painter, opt, index.data(FullnessRole).toString());
  }

 private:
  static void paintRow(QPainter* painter, QStyleOptionViewItem opt) {
    opt.text.chop(1);
    const QWidget* view = opt.widget;
    QStyle* style = view ? view->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, view);
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, view);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const int x = text.left() + margin + opt.fontMetrics.horizontalAdvance(opt.text);
    painter->save();
    painter->setFont(gothic(opt.font.pointSizeF()));
    const bool selected = opt.state & QStyle::State_Selected;
    painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(QRect(x, text.top(), text.right() - x + margin, text.height()),
                      Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("m"));
    painter->restore();
  }

  // In the blank between the name and the distance, in the proportional face, when the name leaves
  // room for it (the list's description always says it).
  static void paintFullness(QPainter* painter, const QStyleOptionViewItem& opt, const QString& fullness) {
    const qsizetype gap = opt.text.lastIndexOf(QLatin1Char(' '));
    if (fullness.isEmpty() || gap <= 0) return;
    qsizetype blank = gap;
    while (blank > 0 && (opt.text[blank - 1] == QChar(u'　') || opt.text[blank - 1] == QLatin1Char(' '))) --blank;
    const QWidget* view = opt.widget;
    QStyle* style = view ? view->style() : QApplication::style();
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, view);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const int from = text.left() + margin + opt.fontMetrics.horizontalAdvance(opt.text.left(blank));
    const int to = text.left() + margin + opt.fontMetrics.horizontalAdvance(opt.text.left(gap));
    const QFont small = gothic(opt.font.pointSizeF() - 1);
    if (QFontMetrics(small).horizontalAdvance(fullness) + 6 > to - from) return;
    painter->save();
    painter->setFont(small);
    const bool selected = opt.state & QStyle::State_Selected;
    painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(QRect(from, text.top(), to - from - 3, text.height()), Qt::AlignRight | Qt::AlignVCenter,
                      fullness);
    painter->restore();
  }
};

}  // namespace

RegistrationPanel::RegistrationPanel(Game& g, QWidget* parent)
    : Panel(qtr(u"レース登録"), parent),
      g_(g),
      lst1_(new QListWidget(this)),
      labRace_(makeLabel(this, {}, {12, 136, 201, 14}, gothic(9.75), QStringLiteral("LabRace"))),
      butCan_(makeButton(this, qtr(u"取消"), {232, 136, 49, 17}, QStringLiteral("ButCan"))) {
  setObjectName(QStringLiteral("Frm3"));
  makeLabel(this, qtr(u"レ　ー　ス　名"), {8, 16, 221, 17});
  makeLabel(this, qtr(u"距離"), {228, 16, 33, 17});
  lst1_->setObjectName(QStringLiteral("Lst1"));
  lst1_->setGeometry(8, 32, 273, 100);
  lst1_->setFont(fixedGothic(9));
  lst1_->setItemDelegate(new DistanceRows(lst1_));
  lst1_->setAccessibleName(qtr(u"レース一覧"));
  connect(lst1_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { rowChosen(lst1_->row(item)); });
  activateRowsByKeyboard(lst1_, [this](int row) { rowChosen(row); });
  connect(butCan_, &QPushButton::clicked, this, &RegistrationPanel::cancel);
}

void RegistrationPanel::showRegistration(const QString& nextRace) {
  GameState& s = g_.s;
  fillCalendar(s);
  lst1_->clear();
  // From October next year's races can be booked: the rows before this week's are next year's.
  for (int i = 0; i < CalendarSize; ++i)
    lst1_->addItem(qs(raceListRow(slotAt(s, i), i < s.weekBase ? s.year + 1 : 0)));
  markOpenRaces();
  // Selecting a row of the coming weeks and then none scrolls the list there; each change counts as a
  // click of the list, the first swallowed by the command's mark, the second finding no row.
  const int towards = s.weekBase < 232 ? s.weekBase + 7 : 0;
  lst1_->setCurrentRow(towards);
  lst1_->scrollToItem(lst1_->item(towards), QAbstractItemView::PositionAtBottom);
  rowChosen(towards);
  lst1_->setCurrentRow(-1);
  lst1_->clearSelection();
  rowChosen(-1);
  // The arrow keys start from the coming weeks; nothing is chosen until Enter or a click.
  lst1_->selectionModel()->setCurrentIndex(lst1_->model()->index(towards, 0), QItemSelectionModel::NoUpdate);
  findPlayerCat(s);
  labRace_->setText(catAt(s, s.playerCat).entryRace == -1 ? qs(unbookedCaption(s)) : nextRace);
  // The booked race (or why none can be booked yet) is said with the list as it takes focus.
  describe(lst1_, labRace_->text().trimmed());
}

// The races the cat may book now stand out on a pale green; the rest are greyed. The rows' texts
// stay as they are; a screen reader hears the difference in the row's description.
void RegistrationPanel::markOpenRaces() {
  GameState& s = g_.s;
  for (int i = 0; i < lst1_->count(); ++i) {
    QListWidgetItem* item = lst1_->item(i);
    const BookingAnswer a = checkBooking(s, i);
    const bool open = !a.refused;
    item->setBackground(open ? QColor(0xe2, 0xf3, 0xd6) : QBrush());
    item->setForeground(open ? QBrush() : QColor(0x80, 0x80, 0x80));
    item->setData(FullnessRole, qs(fullnessText(s, i)));
    item->setData(Qt::AccessibleDescriptionRole,
                  qs(verdictText(a.verdict, slotAt(s, i).raceClass) + polmina::tr(u"、") +
                     trf(u"登録数 {n}", {{u"n", fullnessText(s, i)}})));
  }
}

void RegistrationPanel::rowChosen(int row) {
  if (swallowNext_ || row < 0) {
    swallowNext_ = false;
    return;
  }
  const std::optional<std::u16string> caption = bookRace(g_, row);
  if (!caption) return;
  markOpenRaces();
  labRace_->setText(qs(*caption));
  // The list takes the focus back from the question: a screen reader says the booking with it.
  describe(lst1_, qtr(u"%1に登録しました").arg(qs(*caption).trimmed()));
  emit nextRaceChanged(qs(*caption));
}

void RegistrationPanel::cancel() {
  const QString caption = qs(cancelBooking(g_.s));
  labRace_->setText(caption);
  markOpenRaces();
  emit nextRaceChanged(caption);
}

}  // namespace polmina
