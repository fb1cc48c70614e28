#include "ui/wizard_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "game/newcat.h"
#include "ui/accessible.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/resources.h"
#include "ui/title_window.h"
#include "ui/widgets.h"
#include "ui/window_manager.h"
#include "world/labels.h"
#include "world/text.h"

namespace polmina {

namespace {

const QRect kPage{4, 2, 281, 208};
constexpr const char16_t* kNameLimit = N_(u"（全角10文字以内）");

const char16_t* const kWelcome[] = {
    N_(u"この度はポルミナをダウンロードして下さってどうもありがとうございます。"),
    N_(u"このゲームは猫君を調教しレースに出場させて立派な競争猫に育てる事が目的です。"),
    N_(u"ゲームオーバーはございません。"),
    N_(u"年齢と成績で自動的に引退となり、それがゲーム終了です。"),
    N_(u"とにかくレースに出場させて勝つ"),
    N_(u"そして最高の称号を手に入れてください。"),
};

QString welcomeText() {
  QStringList lines;
  for (const char16_t* l : kWelcome) lines << qtr(l);
  return lines.join(QStringLiteral("\n"));
}

// A Japanese lead too long for one line breaks after its last comma that fits, so that its second
// line is a phrase rather than the last character or two of the sentence.
void setLead(QLabel* label, const QString& text) {
  const QFontMetrics fm(label->font());
  QString shown = text;
  if (!text.contains(QLatin1Char('\n')) && fm.horizontalAdvance(text) > label->width()) {
    for (qsizetype at = text.size() - 1; at > 0; --at) {
      if (text[at] == QChar(u'、') && fm.horizontalAdvance(text.left(at + 1)) <= label->width()) {
        shown = text.left(at + 1) + QLatin1Char('\n') + text.mid(at + 1);
        break;
      }
    }
  }
  label->setText(shown);
}

QComboBox* makeCombo(QWidget* parent, const QStringList& items, const QRect& geometry, const QString& name,
                     const QString& accessible) {
  auto* c = new QComboBox(parent);
  c->addItems(items);
  c->setCurrentIndex(0);
  c->setGeometry(geometry);
  c->setObjectName(name);
  c->setAccessibleName(accessible);
  speakValue(c);
  return c;
}

// A choice of two as radio buttons that the arrows choose between, the first chosen: a screen reader
// says the one chosen, where it says nothing of a closed choice box's new value.
QButtonGroup* makeChoiceOfTwo(QWidget* parent, const QStringList& items, QPoint at, const QString& name,
                              const QString& accessible) {
  auto* group = new QButtonGroup(parent);
  for (int i = 0; i < 2; ++i) {
    auto* o = new QRadioButton(items[i], parent);
    o->setGeometry(at.x() + 82 * i, at.y(), 80, 22);
    o->setObjectName(name + QString::number(i));
    o->setAccessibleDescription(accessible);
    group->addButton(o, i);
  }
  group->button(0)->setChecked(true);
  chooseWithArrows(group);
  // Tab reaches the pair at the option chosen, where the arrows go on from.
  const auto tabToChosen = [group] {
    for (QAbstractButton* b : group->buttons())
      b->setFocusPolicy(b->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
  };
  QObject::connect(group, &QButtonGroup::idToggled, group, tabToChosen);
  tabToChosen();
  return group;
}

QLineEdit* makeText(QWidget* parent, const QRect& geometry, const QString& name, const QString& accessible) {
  auto* t = new QLineEdit(parent);
  t->setGeometry(geometry);
  t->setObjectName(name);
  t->setAccessibleName(accessible);
  t->setMaxLength(40);  // room for spaces and half-width letters; the check decides
  return t;
}

}  // namespace

WizardWindow::WizardWindow(WindowManager& wm) : wm_(wm) {
  setObjectName(QStringLiteral("StartFm"));
  setWindowTitle(qtr(u"11種ポルミナF"));
  buildWelcomePage();
  buildPlayerPage();
  buildCatPage();
  buildBreedPage();
  changePage(0);
}

QGroupBox* WizardWindow::makePage(int k, const QString& lead) {
  QGroupBox* f = makeFrame(this, {}, kPage, QStringLiteral("Frm%1").arg(k));
  lab_[k] = makeLabel(f, {}, {10, 12, 261, k == 0 ? 160 : 34}, QStringLiteral("lab%1").arg(k));
  lab_[k]->setWordWrap(true);
  lab_[k]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setLead(lab_[k], lead);
  back_[k] = makeButton(f, qtr(u"戻る"), {140, 180, 62, 20}, QStringLiteral("ButBack%1").arg(k));
  next_[k] = makeButton(f, qtr(u"次へ"), {208, 180, 62, 20}, QStringLiteral("ButNext%1").arg(k));
  connect(back_[k], &QPushButton::clicked, this, [this, k] { back(k); });
  connect(next_[k], &QPushButton::clicked, this, [this, k] { next(k); });
  frm_[k] = f;
  return f;
}

void WizardWindow::buildWelcomePage() { makePage(0, welcomeText()); }

void WizardWindow::buildPlayerPage() {
  QGroupBox* f = makePage(1, qtr(u"貴方(貴女)の性別、お名前を入力してください。"));
  QLabel* sex = makeLabel(f, qtr(u"性　別："), {14, 62, 84, 20});
  sex_[0] = makeChoiceOfTwo(f, {qtr(u"男性"), qtr(u"女性")}, {100, 60}, QStringLiteral("OptPlayerSex"),
                            qtr(u"性別"));
  nameCaption_ = makeLabel(f, qtr(u"貴方のお名前："), {14, 98, 86, 20}, QStringLiteral("Label1_0"));
  txt_[0] = makeText(f, {100, 96, 166, 22}, QStringLiteral("Txt0"), qtr(u"お名前"));
  sex->setBuddy(sex_[0]->button(0));
  nameCaption_->setBuddy(txt_[0]);
  makeLabel(f, qtr(kNameLimit), {100, 122, 166, 16});
  connect(sex_[0], &QButtonGroup::idClicked, this,
          [this](int i) { nameCaption_->setText(i == 0 ? qtr(u"貴方のお名前:") : qtr(u"貴女のお名前:")); });
}

void WizardWindow::buildCatPage() {
  QGroupBox* f = makePage(2, {});
  QLabel* name = makeLabel(f, qtr(u"猫の名前："), {14, 58, 84, 20});
  txt_[1] = makeText(f, {100, 56, 166, 22}, QStringLiteral("Txt1"), qtr(u"猫の名前"));
  makeLabel(f, qtr(kNameLimit), {100, 80, 166, 16});
  QLabel* sex = makeLabel(f, qtr(u"性　別："), {14, 106, 84, 20});
  sex_[1] = makeChoiceOfTwo(f, {qtr(u"男の子"), qtr(u"女の子")}, {100, 104}, QStringLiteral("OptCatSex"),
                            qtr(u"猫の性別"));
  QLabel* trait = makeLabel(f, qtr(u"特　徴："), {14, 138, 84, 20});
  QStringList traits;
  for (std::u16string_view t : TraitChoices) traits << qtr(t);
  trait_ = makeCombo(f, traits, {100, 136, 110, 22}, QStringLiteral("Cmb2"), qtr(u"特徴"));
  // Each caption labels its field for a screen reader.
  name->setBuddy(txt_[1]);
  sex->setBuddy(sex_[1]->button(0));
  trait->setBuddy(trait_);
}

void WizardWindow::buildBreedPage() {
  QGroupBox* f = makePage(3, qtr(u"最後に猫君のタイプを選んで下さい。"));
  auto* image = makeLabel(f, {}, {3, 52, 275, 25}, QStringLiteral("Image2"));
  image->setPixmap(loadPicture(QStringLiteral(":/art/breeds.png")));
  image->setAccessibleName(qtr(u"猫君のタイプ"));
  image->setCursor(Qt::PointingHandCursor);
  image->installEventFilter(this);
  breedPicture_ = image;
  auto* chosen = makeLabel(f, {}, {10, 110, 261, 20}, QStringLiteral("labBreed"));
  chosen->setAlignment(Qt::AlignCenter);
  breeds_ = new QButtonGroup(this);
  for (int k = 0; k < BreedCount; ++k) {
    auto* o = new QRadioButton(f);
    o->setGeometry(3 + 25 * k + 5, 82, 16, 16);
    o->setObjectName(QStringLiteral("Opt%1").arg(k));
    o->setAccessibleName(qtr(breedName(k)));
    o->setToolTip(qtr(breedName(k)));
    breeds_->addButton(o, k);
    opt_[k] = o;
  }
  chooseWithArrows(breeds_);
  // Checked by a click, the arrow keys or an accessibility tool's toggle alike.
  connect(breeds_, &QButtonGroup::idToggled, this, [this, chosen](int k, bool on) {
    if (!on) return;
    choices_.breed = k;
    choosePlayerBreed(wm_.session().g.s, k);
    pageValid_ = -1;
    chosen->setText(qtr(breedName(k)));
  });
}

bool WizardWindow::eventFilter(QObject* watched, QEvent* e) {
  if (watched == breedPicture_ && e->type() == QEvent::MouseButtonRelease) {
    // Each breed's picture is a column 25 wide, its option under it.
    const int x = static_cast<QMouseEvent*>(e)->position().toPoint().x();
    const int k = std::clamp(x / 25, 0, BreedCount - 1);
    if (breedPicture_->isEnabled()) opt_[static_cast<size_t>(k)]->click();
    return true;
  }
  return QWidget::eventFilter(watched, e);
}

void WizardWindow::clearBreeds() {
  breeds_->setExclusive(false);
  for (QRadioButton* o : opt_) o->setChecked(false);
  breeds_->setExclusive(true);
  if (auto* chosen = findChild<QLabel*>(QStringLiteral("labBreed"))) chosen->clear();
}

void WizardWindow::changePage(int to) {
  pageValid_ = to == 0 ? -1 : 0;
  if (to == 3) clearBreeds();
  for (int k = 0; k < 4; ++k) {
    frm_[k]->setEnabled(k == to);
    frm_[k]->setVisible(k == to);
  }
  page_ = to;
  next_[to]->setDefault(true);
  // Focus starts in the page's input, never on 戻る; the page's instruction is read with it.
  QWidget* first = to == 1 || to == 2 ? static_cast<QWidget*>(txt_[to - 1])
                   : to == 3          ? static_cast<QWidget*>(opt_[0])
                                      : static_cast<QWidget*>(next_[to]);
  QString instruction = lab_[to]->text();
  instruction.replace(QLatin1Char('\n'), QLatin1Char(' '));
  if (to == 1 || to == 2) instruction += QLatin1Char(' ') + qtr(kNameLimit);
  describe(first, instruction);
  first->setFocus();
}

bool WizardWindow::acceptName(int page) {
  Session& se = wm_.session();
  GameState& s = se.g.s;
  const std::u16string typed = trim(u16(txt_[page - 1]->text()));
  const NameCheck check = checkName(typed);
  if (!check.ok) {
    se.ui.tell(Question::NameRefused, BoxTitle, check.message);
    txt_[page - 1]->setFocus();
    return false;
  }
  if (page == 1) {
    choices_.playerName = typed;
    choices_.playerSex = sex_[0]->checkedId();
    namePlayer(s, check.name, choices_.playerSex);
    setLead(lab_[2], qtr(catPageLead(s.playerSex)));
  } else {
    choices_.catName = typed;
    choices_.catSex = sex_[1]->checkedId();
    choices_.trait = trait_->currentIndex();
    namePlayerCat(s, check.name, choices_.catSex);
  }
  pageValid_ = -1;
  return true;
}

void WizardWindow::next(int page) {
  if (page == 0) {
    changePage(1);
  } else if (page == 1 || page == 2) {
    if (acceptName(page)) changePage(page + 1);
  } else if (pageValid_ == 0) {
    wm_.session().ui.tell(Question::ChooseBreed, BoxTitle, polmina::tr(u"猫君のタイプを選んで下さい。"));
  } else if (wm_.session().ui.askYesNo(Question::ConfirmNewGame, BoxTitle, polmina::tr(u"以上で登録を終わります。\r\nこれで良いですか？"))) {
    startGame();
  }
}

void WizardWindow::back(int page) {
  if (page == 0) {
    hide();
    wm_.showWindow(GameWindow::Title);
    wm_.titleWindow().enableButtons(true);
    return;
  }
  clearBreeds();
  changePage(page - 1);
}

void WizardWindow::startGame() {
  Session& se = wm_.session();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  frm_[3]->setEnabled(false);
  QCoreApplication::processEvents();
  const NewGameResult r = startNewGame(se.g, choices_, se.paths.dataDirs);
  QApplication::restoreOverrideCursor();
  if (r.kind != NewGameResult::Ok) {
    se.ui.tell(Question::NewGameFailed, BoxTitle, r.message);
    frm_[3]->setEnabled(true);
    return;
  }
  wm_.showWindow(GameWindow::Main);
  hide();
  wm_.mainWindow().showChatter();
}

void WizardWindow::keyPressEvent(QKeyEvent* e) {
  const bool plain = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  QPushButton* b = nullptr;
  if (plain && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) b = next_[page_];
  if (plain && e->key() == Qt::Key_Escape) b = back_[page_];
  if (b && b->isEnabled() && b->isVisible()) {
    b->click();
    return;
  }
  QWidget::keyPressEvent(e);
}

void WizardWindow::closeEvent(QCloseEvent* e) {
  e->accept();
  wm_.quit();
}

}  // namespace polmina
