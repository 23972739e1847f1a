// The missing-character quiz and the other picture buttons of the detail
// pane: combined text and speech.
#include "data/Conn.h"
#include "frmVELM.h"

namespace velmora {

namespace {

std::optional<QString> IdiomByCode(long long code) {
  const RecordSet record = OpenRS(QStringLiteral("SELECT * FROM VELM where code=?"), false, {code});
  return record.Field(QStringLiteral("Idiom"));
}

}  // namespace

void frmVELM::Command11_Click() {
  for (QLabel *label : {c_.Label2, c_.Label3, c_.Label4}) label->hide();
  c_.Text1->clear();
  for (QLabel *label : {c_.Label1, c_.Label2, c_.Label3, c_.Label4}) label->clear();
  const auto puzzle = quiz_.Draw(maxIdiomCode_, IdiomByCode);
  if (!puzzle) return;
  c_.Label4->setText(puzzle->idiom);
  c_.Label1->setText(puzzle->shown);
  c_.Label3->hide();
  c_.Label3->setText(puzzle->hidden);
}

void frmVELM::Command8_Click() {
  c_.Label2->show();
  c_.Label4->show();
  c_.Label2->setText(JudgeAnswer(c_.Text1->text(), c_.Label3->text()) ? QStringLiteral("对") : QStringLiteral("错"));
}

void frmVELM::Command5_Click() {
  c_.Picture5->show();
  c_.Picture5->raise();
  if (c_.Label1->text().isEmpty()) Command11_Click();
  c_.Text1->setFocus();
}

void frmVELM::Command2_Click() {
  c_.txtDetailed->setVisible(!c_.txtDetailed->isVisible());
  c_.txtDetailed->raise();
  c_.Picture5->hide();
}

QString frmVELM::TextToSpeak() const {
  if (c_.txtIdiom->text().isEmpty()) return {};
  const QString spelling = c_.txtSpell->text().section(QStringLiteral("; "), 0, 0);
  return spelling.isEmpty() ? c_.txtIdiom->text() : spelling;
}

void frmVELM::Command4_Click() {
  if (voice_) (void)voice_->Speak(TextToSpeak());
}

}  // namespace velmora
