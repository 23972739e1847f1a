// The detail area of the main window: one idiom, its combined text and its
// video.
#include <QUrl>

#include "DetailText.h"
#include "data/Conn.h"
#include "frmVELM.h"
#include "platform/Desktop.h"
#include "startup/FileHelpers.h"
#include "startup/ProgramValues.h"

namespace velmora {

namespace {

const QString kDetailQuery = QStringLiteral("SELECT * FROM VELM WHERE VELM.Idiom=?");

QString VideoPath(const QString &idiom) {
  return InstallPath() + QStringLiteral("Video/") + idiom + QStringLiteral(".rm");
}

}  // namespace

void frmVELM::DisplayIdiom(const QString &idiom) {
  c_.lblUp->setText(c_.txtIdiom->text());
  c_.txtIdiom->setText(idiom);
  c_.txtIdiom->setCursorPosition(0);
  const RecordSet record = OpenRS(kDetailQuery, true, {idiom});
  c_.txtSpell->setText(record.Text(QStringLiteral("Spell")));
  c_.txtSpell->setCursorPosition(0);
  c_.txtExplain->setPlainText(record.Text(QStringLiteral("Note")));
  c_.txtDerivation->setPlainText(record.Text(QStringLiteral("Source")));
  c_.txtExample->setPlainText(record.Text(QStringLiteral("Example")));
  CheckVideoButton(idiom);
  BuildDetailText();
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

}  // namespace velmora
