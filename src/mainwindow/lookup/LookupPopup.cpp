#include "mainwindow/lookup/LookupPopup.h"

#include <QCursor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "mainwindow/DesignControls.h"
#include "platform/LanguageTexts.h"

namespace velmora {

namespace {

constexpr int kExplanationLength = 160;

QLabel *Text(QWidget *parent, const char *name) {
  auto *label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

LookupPopup::LookupPopup() : QFrame(nullptr, Qt::Popup) {
  setObjectName(QStringLiteral("frmLookup"));
  SetLanguageName(this, "POPUPNAME", "Velmora lookup");
  setFrameShape(QFrame::StyledPanel);
  idiom_ = Text(this, "lblLookupIdiom");
  QFont big = idiom_->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  idiom_->setFont(big);
  reading_ = Text(this, "lblLookupReading");
  explanation_ = Text(this, "lblLookupExplanation");
  open_ = NamedButton(this, "cmdLookupOpen", QString());
  SetLanguageCaption(open_, "LOOKUPOPEN", "Open in Velmora");
  speak_ = NamedButton(this, "cmdLookupSpeak", QString());
  SetLanguageCaption(speak_, "LOOKUPSPEAK", "Speak");
  auto *buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(speak_);
  buttons->addWidget(open_);
  auto *column = new QVBoxLayout(this);
  column->addWidget(idiom_);
  column->addWidget(reading_);
  column->addWidget(explanation_);
  column->addLayout(buttons);
  setFixedWidth(340);
  connect(open_, &QPushButton::clicked, this, [this] {
    emit openRequested(idiom_->text());
    close();
  });
  connect(speak_, &QPushButton::clicked, this,
          [this] { emit speakRequested(reading_->text().isEmpty() ? idiom_->text() : reading_->text()); });
}

void LookupPopup::ShowIdiom(const QString &idiom, const QString &reading, const QString &explanation) {
  idiom_->setText(idiom);
  reading_->setText(reading.section(QStringLiteral("; "), 0, 0));
  QString start = explanation.simplified();
  if (start.size() > kExplanationLength) start = start.left(kExplanationLength) + QStringLiteral("…");
  explanation_->setText(start);
  adjustSize();
  const QPoint pointer = QCursor::pos();
  QScreen *screen = QGuiApplication::screenAt(pointer);
  const bool known = screen != nullptr && pointer != QPoint(0, 0);
  if (!screen) screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
  QPoint at = known ? pointer + QPoint(12, 16) : area.center() - rect().center();
  at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - width())));
  at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - height())));
  move(at);
  show();
  open_->setFocus(Qt::PopupFocusReason);
}

}  // namespace velmora
