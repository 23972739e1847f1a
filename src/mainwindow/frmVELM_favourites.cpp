// The user's store of favourites and history, opened for the edition in use.
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QTimer>

#include "config/InstallLayout.h"
#include "config/ProgramValues.h"
#include "data/ConnString.h"
#include "data/IdiomStore.h"
#include "data/UserStore.h"
#include "dictionary/FlashcardDeck.h"
#include "frmVELM.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"

namespace velmora {

void frmVELM::OpenUserStore() {
  // Favourites are kept per edition: the two editions spell idioms in
  // different scripts.
  const QString edition = QFileInfo(ConnStringPart(ConnString(), QStringLiteral("Data Source"))).fileName().toLower();
  userStore_ = std::make_unique<UserStore>(UserStorePath(), edition);
  const QString gb = DataFileName(QStringLiteral("GB")).toLower(), big5 = DataFileName(QStringLiteral("BIG5")).toLower();
  if (edition == gb || edition == big5)
    userStore_->SetOtherEdition(edition == gb ? big5 : gb,
                                [list = &browse_->SearchList()](const QString &idiom) { return list->OtherScriptOf(idiom); });
  reader_.SetStore(userStore_.get());
  browse_->SetStore(userStore_.get());
  const bool available = userStore_->IsAvailable();
  c_.cmdFavourite->setEnabled(available);
  if (userStore_->IsNewer())
    c_.cmdFavourite->setToolTip(QStringLiteral("Favourites are off: %1 was saved by a newer Velmora").arg(UserStorePath()));
  else if (!available)
    c_.cmdFavourite->setToolTip(QStringLiteral("Favourites cannot be kept: the user's data folder cannot be written"));
  detail_->ShowFavouriteState();
  AnnounceUserStore();
}

void frmVELM::AnnounceUserStore() {
  QString text;
  if (userStore_->IsNewer())
    text = QStringLiteral("Your favourites and history (%1) were saved by a newer version of Velmora. This version "
                          "leaves them as they are: favourites and history are off until you use the newer version again.")
               .arg(UserStorePath());
  else if (!userStore_->MovedAside().isEmpty())
    text = QStringLiteral("Your favourites and history file was damaged. It was kept as %1, and %2 favourites and "
                          "history entries were read back from it into a new file.")
               .arg(userStore_->MovedAside())
               .arg(userStore_->Salvaged());
  if (text.isEmpty()) return;
  // Once the window is on the screen: it says what happened to the window's content.
  QTimer::singleShot(0, this, [text] {
    ShowMessageBox({text, kProgramTitle, MessageButtons::Ok, MessageIcon::Exclamation});
  });
}

}  // namespace velmora
