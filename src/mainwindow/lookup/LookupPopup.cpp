#include "mainwindow/lookup/LookupPopup.h"

#include <QSignalBlocker>

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QVBoxLayout>

#include "dictionary/Pinyin.h"
#include "lang/Captions.h"
#include "mainwindow/DesignControls.h"
#include "platform/BoldFromRegular.h"
#include "platform/LanguageTexts.h"

namespace velmora {

namespace {

constexpr int kExplanationLength = 160;
constexpr int kMessageMilliseconds = 6000;

QLabel *Text(QWidget *parent, const char *name) {
  auto *label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

LookupPopup::LookupPopup() : QFrame(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("frmLookup"));
  SetLanguageName(this, "POPUPNAME", "Velmora lookup");
  setFrameShape(QFrame::StyledPanel);
  idiom_ = Text(this, "lblLookupIdiom");
  QFont big = idiom_->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  idiom_->setFont(BoldFromRegular(big));
  reading_ = Text(this, "lblLookupReading");
  explanation_ = Text(this, "lblLookupExplanation");
  message_ = Text(this, "lblLookupMessage");
  favourite_ = NamedButton(this, "cmdLookupFavourite", QStringLiteral("☆"));
  favourite_->setCheckable(true);
  // A star, not a word: as wide as it is high.
  favourite_->setFixedWidth(favourite_->sizeHint().height() + 8);
  SetLanguageName(favourite_, "LOOKUPFAVOURITE", "Favourite");
  study_ = NamedButton(this, "cmdLookupStudy", QString());
  SetLanguageCaption(study_, "LOOKUPSTUDY", "Study this");
  copy_ = NamedButton(this, "cmdLookupCopy", QString());
  SetLanguageCaption(copy_, "LOOKUPCOPY", "Copy");
  open_ = NamedButton(this, "cmdLookupOpen", QString());
  SetLanguageCaption(open_, "LOOKUPOPEN", "Open in Velmora");
  speak_ = NamedButton(this, "cmdLookupSpeak", QString());
  SetLanguageCaption(speak_, "LOOKUPSPEAK", "Speak");
  // Tab goes through the buttons as they stand, left to right.
  setTabOrder(favourite_, study_);
  setTabOrder(study_, copy_);
  setTabOrder(copy_, speak_);
  setTabOrder(speak_, open_);
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(favourite_);
  buttons->addWidget(study_);
  buttons->addWidget(copy_);
  buttons->addStretch(1);
  buttons->addWidget(speak_);
  buttons->addWidget(open_);
  auto *column = new QVBoxLayout(this);
  column->addWidget(idiom_);
  column->addWidget(reading_);
  column->addWidget(explanation_);
  column->addWidget(message_);
  column->addLayout(buttons);
  setMinimumWidth(340);
  setMaximumWidth(520);
  messageShown_.setSingleShot(true);
  connect(&messageShown_, &QTimer::timeout, this, &QWidget::close);
  connect(open_, &QPushButton::clicked, this, [this] {
    emit openRequested(idiom_->text());
    close();
  });
  connect(speak_, &QPushButton::clicked, this,
          [this] { emit speakRequested(reading_->text().isEmpty() ? idiom_->text() : reading_->text()); });
  // toggled, not clicked: a screen reader's Toggle action emits only toggled.
  connect(favourite_, &QPushButton::toggled, this, [this](bool on) { emit favouriteRequested(idiom_->text(), on); });
  connect(study_, &QPushButton::clicked, this, [this] { emit studyRequested(idiom_->text()); });
  connect(copy_, &QPushButton::clicked, this, &LookupPopup::Copy);
}

void LookupPopup::ShowIdiom(const QString &idiom, const QString &reading, const QString &explanation) {
  messageShown_.stop();
  idiom_->setText(idiom);
  reading_->setText(FirstReading(reading));
  QString start = explanation.simplified();
  if (start.size() > kExplanationLength) start = start.left(kExplanationLength) + QStringLiteral("…");
  explanation_->setText(start);
  message_->hide();
  for (QWidget *part :
       std::initializer_list<QWidget *>{idiom_, reading_, explanation_, favourite_, study_, copy_, speak_, open_})
    part->show();
  Place();
  open_->setFocus(Qt::OtherFocusReason);
}

void LookupPopup::ShowMessage(const QString &message) {
  const bool alreadyShown = isVisible() && message_->isVisible() && messageShown_.isActive();
  message_->setText(message);
  for (QWidget *part :
       std::initializer_list<QWidget *>{idiom_, reading_, explanation_, favourite_, study_, copy_, speak_, open_})
    part->hide();
  message_->show();
  Place();
  // Six seconds from the first showing: a message told again (the
  // selection tried once more) does not keep the window up.
  if (!alreadyShown) messageShown_.start(kMessageMilliseconds);
}

void LookupPopup::ShowState(bool favourite, bool studied) {
  // Showing the state is not a change of it.
  const QSignalBlocker quiet(favourite_);
  favourite_->setChecked(favourite);
  favourite_->setText(favourite ? QStringLiteral("★") : QStringLiteral("☆"));
  study_->setEnabled(!studied);
  study_->setText(studied ? CaptionOr("LOOKUPSTUDYING", "In Study") : CaptionOr("LOOKUPSTUDY", "Study this"));
}

void LookupPopup::Copy() {
  emit copying();
  QGuiApplication::clipboard()->setText(idiom_->text());
  copy_->setText(CaptionOr("LOOKUPCOPIED", "Copied"));
}

void LookupPopup::Place() {
  copy_->setText(CaptionOr("LOOKUPCOPY", "Copy"));
  // The parts just hidden or shown are laid out before the size is taken.
  layout()->activate();
  adjustSize();
  // X11 tells where the pointer is; Wayland tells no program outside its
  // own windows, and places a new window itself.
  const QPoint pointer = QCursor::pos();
  QScreen *screen = QGuiApplication::screenAt(pointer);
  const bool known = screen != nullptr && pointer != QPoint(0, 0);
  if (!screen) screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
  QPoint at = known ? pointer + QPoint(12, 16) : area.center() - rect().center();
  at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - width())));
  at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - height())));
  move(at);
  hadFocus_ = false;
  // Shown afresh, so that a compositor sizes and places it for what it now holds.
  if (isVisible()) hide();
  show();
  raise();
  activateWindow();
}

void LookupPopup::keyPressEvent(QKeyEvent *event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QFrame::keyPressEvent(event);
}

void LookupPopup::changeEvent(QEvent *event) {
  QFrame::changeEvent(event);
  if (event->type() != QEvent::ActivationChange) return;
  // Like a popup: gone once the user turns to something else.
  if (isActiveWindow())
    hadFocus_ = true;
  else if (hadFocus_ && isVisible())
    close();
}

}  // namespace velmora
