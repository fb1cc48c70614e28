#include "ui/cat_details.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include "game/commands.h"
#include "game/home.h"
#include "ui/accessible.h"
#include "ui/fonts.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"
#include "world/game.h"

namespace polmina {

namespace {

// A detail row: its value label's number (the objectName "Lab<n>"), caption, row.
struct DetailRow {
  int lab;
  const char* caption;
  int y;
};
constexpr DetailRow kDetails[] = {{1, N_("猫 名"), 28},   {2, N_("齢/重"), 44},   {4, N_("性/成"), 60}, {8, N_("戦 績"), 76},
                                  {10, N_("総賞金"), 92}, {9, N_("クラス"), 108}, {7, N_("次 走"), 124}};
enum Row { Name, AgeWeight, SexGrowth, Record, Prize, CatClass, NextRace };
const char* const kStyles[4] = {N_("逃げ"), N_("先行"), N_("差し"), N_("追込")};

}  // namespace

CatDetails::CatDetails(Game& g, QWidget* window) : QObject(window), g_(g) {
  buildDetails(window);
  buildStyleOptions(window);
}

void CatDetails::buildDetails(QWidget* window) {
  frm0_ = makeFrame(window, qtr(u"詳細"), {112, 16, 177, 145}, QStringLiteral("Frm0"));
  labSyogo_ = makeLabel(frm0_, {}, {12, 13, 153, 17}, mincho(9, true), QStringLiteral("LabSyogo"));
  for (size_t i = 0; i < values_.size(); ++i) {
    const DetailRow& row = kDetails[i];
    makeLabel(frm0_, qtr(row.caption), {8, row.y, 40, 15}, QStringLiteral("Label1_%1").arg(row.lab));
    QLabel* value = makeLabel(frm0_, {}, {48, row.y, 121, 15}, QStringLiteral("Lab%1").arg(row.lab));
    value->setAccessibleDescription(qtr(row.caption));
    value->setCursor(Qt::PointingHandCursor);
    value->installEventFilter(this);
    values_[i] = value;
  }
  // The money pair lies outside the window, filled but never seen.
  money_ = makeLabel(window, {}, {356, 0, 100, 15}, QStringLiteral("Lab0"));
  money_->hide();
}

void CatDetails::buildStyleOptions(QWidget* window) {
  frm4_ = makeFrame(window, qtr(u"次レース作戦"), {0, 108, 109, 53}, QStringLiteral("Frm4"));
  styles_ = new QButtonGroup(this);
  for (int i = 0; i < 4; ++i) {
    opt_[i] = new QRadioButton(qtr(kStyles[i]), frm4_);
    opt_[i]->setGeometry(i % 2 == 0 ? 8 : 56, i < 2 ? 15 : 33, 48, 17);
    opt_[i]->setObjectName(QStringLiteral("Opt%1").arg(i));
    styles_->addButton(opt_[i], i);
  }
  // A tactic chosen draws a random number: the arrows only move, Space chooses.
  moveWithArrows(styles_);
  connect(styles_, &QButtonGroup::idToggled, this, [this](int i, bool on) {
    if (!on) return;
    chooseRunningStyle(g_, i);
    emit styleChosen();
  });
}

bool CatDetails::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::MouseButtonRelease && frm0_->isEnabled())
    for (QLabel* l : values_)
      if (l == watched) {
        emit recordAsked();
        return true;
      }
  return QObject::eventFilter(watched, e);
}

void CatDetails::showTexts() {
  const CatPanelText t = catPanelText(g_.s);
  money_->setText(qs(t.money));
  values_[Name]->setText(qs(t.name));
  values_[AgeWeight]->setText(qs(t.ageWeight));
  values_[SexGrowth]->setText(qs(t.sexGrowth));
  values_[Record]->setText(qs(t.record));
  if (!t.catClass.empty()) values_[CatClass]->setText(qs(t.catClass));
  labSyogo_->setText(qs(t.title));
  values_[Prize]->setText(qs(t.prize));
  setFittedText(values_[NextRace], qs(t.nextRace));
}

void CatDetails::refresh() {
  showTexts();
  // All four options cleared, then the cat's own set: which runs its click action.
  {
    const QSignalBlocker quiet(styles_);
    styles_->setExclusive(false);
    for (QRadioButton* o : opt_) o->setChecked(false);
    styles_->setExclusive(true);
  }
  const int option = runningStyleOption(catAt(g_.s, g_.s.playerCat).styleFlags);
  if (option >= 0) opt_[option]->setChecked(true);
}

void CatDetails::setNextRace(const QString& caption) { setFittedText(values_[NextRace], caption); }

QString CatDetails::nextRace() const { return values_[NextRace]->text(); }

QStringList CatDetails::spoken() const {
  QStringList parts;
  if (!labSyogo_->text().isEmpty()) parts << labSyogo_->text();
  for (size_t i = 0; i < values_.size(); ++i)
    parts << qtr(kDetails[i].caption).remove(QLatin1Char(' ')) + QLatin1Char(' ') + values_[i]->text();
  if (styles_->checkedButton()) parts << frm4_->title() + QLatin1Char(' ') + styles_->checkedButton()->text();
  return parts;
}

void CatDetails::setEnabled(bool on) {
  frm0_->setEnabled(on);
  frm4_->setEnabled(on);
}

}  // namespace polmina
