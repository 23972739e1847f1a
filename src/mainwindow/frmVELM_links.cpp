// The banner buttons that lead out of the dictionary: about box, help page,
// mail and web page.
#include <QUrl>

#include "dialogs/frmAbout.h"
#include "frmVELM.h"
#include "platform/Desktop.h"
#include "config/FileHelpers.h"
#include "config/InstallLayout.h"

namespace velmora {

void frmVELM::cmdAbout_Click() {
  frmAbout about;
  about.exec();
}

void frmVELM::cmdHelp_Click() {
  // A missing help page is not handed on: the desktop would only complain.
  const QString page = HelpPagePath();
  if (FileExists(page)) OpenWithDesktop(QUrl::fromLocalFile(ResolvePath(page)));
}

void frmVELM::cmdEmail_Click() { OpenMakerMail(); }

void frmVELM::cmdUpdate_Click() { OpenMakerWebPage(); }

}  // namespace velmora
