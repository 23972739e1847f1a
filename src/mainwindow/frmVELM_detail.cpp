// The detail area of the main window: one idiom, its combined text, its
// video, its voice and the quiz panel over it.
#include <QUrl>
#include <utility>

#include "config/FileHelpers.h"
#include "config/InstallLayout.h"
#include "config/StartupTrace.h"
#include "data/IdiomStore.h"
#include "dictionary/DetailText.h"
#include "frmVELM.h"
#include "platform/Desktop.h"

namespace velmora {

void frmVELM::DisplayDueIdiom(const QString &idiom, bool chosen) {
  const Reader::Reason reason = std::exchange(startIdiomPending_, false) ? Reader::Reason::Start
                                : chosen                                 ? Reader::Reason::Chosen
                                                                         : Reader::Reason::Passing;
  DisplayIdiom(idiom, reason);
}

void frmVELM::DisplayIdiom(const QString &idiom, Reader::Reason reason) {
  IdiomRecord record = Record(idiom).value_or(IdiomRecord{});
  record.idiom = idiom;
  reader_.Show(record, reason);
  c_.lblUp->setText(reader_.Previous());
  c_.txtIdiom->setText(idiom);
  c_.txtIdiom->setCursorPosition(0);
  c_.txtSpell->setText(BoundedText(record.spell));
  c_.txtSpell->setCursorPosition(0);
  c_.txtExplain->setPlainText(BoundedText(record.note));
  c_.txtDerivation->setPlainText(BoundedText(record.source));
  c_.txtExample->setPlainText(BoundedText(record.example));
  CheckVideoButton(idiom);
  BuildDetailText();
  ShowFavouriteState();
  TraceStartup("first-idiom-shown");
}

void frmVELM::BuildDetailText() {
  c_.txtDetailed->hide();
  c_.Picture5->hide();
  detailText_ = ComposeDetailText({c_.txtIdiom->text(), c_.txtSpell->text(), c_.lblExplain->text(),
                                   c_.txtExplain->toPlainText(), c_.lblDerivation->text(),
                                   c_.txtDerivation->toPlainText(), c_.lblExample->text(),
                                   c_.txtExample->toPlainText()});
  c_.txtDetailed->setPlainText(QString(detailText_).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void frmVELM::CheckVideoButton(const QString &idiom) { c_.Command3->setEnabled(FileExists(VideoPath(idiom))); }

void frmVELM::Command3_Click() {
  OpenWithDesktop(QUrl::fromLocalFile(ResolvePath(VideoPath(c_.txtIdiom->text()))));
}

void frmVELM::Command2_Click() {
  c_.txtDetailed->setVisible(!c_.txtDetailed->isVisible());
  c_.txtDetailed->raise();
  c_.Picture5->hide();
}

void frmVELM::Command5_Click() { c_.Picture5->Open(); }

QString frmVELM::TextToSpeak() const {
  if (c_.txtIdiom->text().isEmpty()) return {};
  const QString spelling = c_.txtSpell->text().section(QStringLiteral("; "), 0, 0);
  return spelling.isEmpty() ? c_.txtIdiom->text() : spelling;
}

void frmVELM::Command4_Click() {
  if (speaker_) speaker_->Say(TextToSpeak());
}

}  // namespace velmora
