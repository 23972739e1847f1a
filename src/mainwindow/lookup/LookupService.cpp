#include "mainwindow/lookup/LookupService.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <utility>

#include "config/InstallLayout.h"
#include "config/ProgramValues.h"
#include "config/RwIni.h"
#include "data/IdiomStore.h"
#include "data/UserStore.h"
#include "dictionary/DesktopSearch.h"
#include "dictionary/IdiomSearch.h"
#include "lang/Captions.h"
#include "mainwindow/lookup/LookupPopup.h"
#include "mainwindow/lookup/ReadTextDialog.h"
#include "platform/LanguageTexts.h"
#include "platform/MessageBoxes.h"
#include "platform/ShortcutToolTip.h"
#include "platform/wayland/DataControlWatch.h"
#include "platform/wayland/WaylandActivation.h"

namespace velmora {

namespace {

// How long a selection rests before it is looked up.
constexpr int kSelectionStillMilliseconds = 300;

constexpr int kLongestKey = 100;
const QString kLookupSection = QStringLiteral("lookup");

// From the configuration by its path: whichever settings file was read last
// (a language file, after a box was shown) is not asked.
// Connects the signal to the slot while on, disconnects it otherwise.
template <typename Sender, typename Signal, typename Receiver, typename Slot>
void Listen(bool on, Sender *sender, Signal signal, Receiver *receiver, Slot slot) {
  if (on)
    QObject::connect(sender, signal, receiver, slot);
  else
    QObject::disconnect(sender, signal, receiver, slot);
}

// A switch of the menu, kept in the configuration; a failure is told once a
// run (the switch works until the program ends either way).
void KeepSwitch(const char *key, bool on) {
  static bool told = false;
  if (WriteIniValues(ConfigFileForWriting(),
                     {{kLookupSection, QLatin1String(key), on ? QStringLiteral("1") : QStringLiteral("0")}}) ||
      std::exchange(told, true))
    return;
  ShowMessageBox({CaptionOr("LOOKUPNOTKEPT", "This switch holds until Velmora ends: %1 cannot be written.")
                      .arg(ConfigFileForWriting()),
                  kProgramTitle, MessageButtons::Ok, MessageIcon::Exclamation});
}

bool Setting(const char *key, bool fallback) {
  const QString value = ReadIniFrom(ConfigFilePath(), kLookupSection, QLatin1String(key), 10);
  return value.isEmpty() ? fallback : value == QLatin1String("1");
}

}  // namespace

LookupService::LookupService(QMainWindow *window, QToolButton *button, IdiomSearch &search, Services services)
    : QObject(window), window_(window), search_(search), services_(std::move(services)) {
  auto *read = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), window);
  NameShortcutInToolTip(button, read->key());
  connect(read, &QShortcut::activated, this, &LookupService::OpenReader);
  auto *menu = new QMenu(button);
  menu->setObjectName(QStringLiteral("mnuLookup"));
  button->setMenu(menu);
  // Worded as it opens: the interface language may have changed since.
  connect(menu, &QMenu::aboutToShow, this, [this, menu] { FillMenu(menu); });
  // The clipboard is watched only when the user asked for it: reaching it
  // costs the start a round to the display server.
  if (Setting("WatchClipboard", false)) SetWatchingClipboard(true);
  selectionStill_.setSingleShot(true);
  selectionStill_.setInterval(kSelectionStillMilliseconds);
  connect(&selectionStill_, &QTimer::timeout, this, &LookupService::LookUpStillSelection);
  if (Setting("WatchSelection", false)) SetWatchingSelection(true);
}

void LookupService::FillMenu(QMenu *menu) {
  menu->clear();
  QAction *read = menu->addAction(CaptionOr("MENUREADTEXT", "Read text…"), this, &LookupService::OpenReader);
  read->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  read->setObjectName(QStringLiteral("actReadText"));
  menu->addSeparator();
  QAction *watch = menu->addAction(CaptionOr("MENUWATCHCLIPBOARD", "Look up copied text"));
  watch->setObjectName(QStringLiteral("actWatchClipboard"));
  watch->setCheckable(true);
  watch->setChecked(watching_);
  connect(watch, &QAction::toggled, this, &LookupService::SetWatchingClipboard);
  QAction *selected =
      menu->addAction(SelectionWatchAvailable() ? CaptionOr("MENUWATCHSELECTION", "Look up selected text")
                                                : CaptionOr("MENUWATCHSELECTIONNOT",
                                                            "Look up selected text (not available on this desktop)"));
  selected->setObjectName(QStringLiteral("actWatchSelection"));
  selected->setCheckable(true);
  selected->setEnabled(SelectionWatchAvailable());
  selected->setChecked(watchingSelection_);
  connect(selected, &QAction::toggled, this, &LookupService::SetWatchingSelection);
  QAction *popup = menu->addAction(CaptionOr("MENULOOKUPPOPUP", "Show lookups from other programs in a small window"));
  popup->setObjectName(QStringLiteral("actLookupPopup"));
  popup->setCheckable(true);
  popup->setChecked(Setting("Popup", true));
  connect(popup, &QAction::toggled, this, [](bool on) { KeepSwitch("Popup", on); });
}

wayland::DataControlWatch *LookupService::Watch() {
  // Under Wayland a window without focus hears of no new copy from Qt: the
  // compositor's data-control events say so, where it has them.
  if (!watchTried_) {
    watchTried_ = true;
    if (QGuiApplication::platformName() == QLatin1String("wayland")) watch_ = wayland::DataControlWatch::Start(this);
  }
  return watch_.get();
}

void LookupService::SetWatchingClipboard(bool watch) {
  if (watch != watching_) {
    watching_ = watch;
    if (Watch())
      Listen(watch, Watch(), &wayland::DataControlWatch::clipboardChanged, this, &LookupService::WatchClipboard);
    else
      Listen(watch, QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &LookupService::WatchClipboard);
  }
  if (watch != Setting("WatchClipboard", false)) KeepSwitch("WatchClipboard", watch);
}

bool LookupService::SelectionWatchAvailable() {
  // X11 reports every change of the primary selection's owner (XFixes); a
  // Wayland compositor tells only the focused window, or a data-control client.
  if (QGuiApplication::platformName() == QLatin1String("xcb")) return QGuiApplication::clipboard()->supportsSelection();
  return Watch() != nullptr;
}

void LookupService::SetWatchingSelection(bool watch) {
  watch = watch && SelectionWatchAvailable();
  if (watch != watchingSelection_) {
    watchingSelection_ = watch;
    if (Watch())
      Listen(watch, Watch(), &wayland::DataControlWatch::primaryChanged, this, &LookupService::SelectionMoved);
    else
      Listen(watch, QGuiApplication::clipboard(), &QClipboard::selectionChanged, this, &LookupService::SelectionMoved);
  }
  if (watch != Setting("WatchSelection", false)) KeepSwitch("WatchSelection", watch);
}

void LookupService::SelectionMoved() {
  // A selection being dragged changes on every move: looked up once it rests.
  // Velmora's own selections are not looked up.
  if (!Watch() && QGuiApplication::clipboard()->ownsSelection()) return selectionStill_.stop();
  selectionStill_.start();
}

void LookupService::LookUpStillSelection() {
  selection_.Read(SelectionReader::Source::Selection, [this](const QString &text) {
    if (!selected_.Wanted(text)) return;
    const QString idiom = IdiomIn(text);
    if (!idiom.isEmpty()) ShowPopup(idiom, {});
  });
}

const IdiomAutomaton *LookupService::Automaton() {
  if (automaton_) return &*automaton_;
  automaton_ = IdiomAutomaton::Over(search_.Matcher());
  return &*automaton_;
}

QString LookupService::IdiomAt(int index) { return search_.Matcher().IdiomAt(index); }

QString LookupService::IdiomIn(const QString &text) {
  const int found = Automaton()->Longest(text);
  return found >= 0 ? IdiomAt(found) : QString();
}

SearchAnswers LookupService::Answers() {
  return {[this](const QString &key) { return DesktopResults(search_, key); }, DesktopDescription};
}

void LookupService::Handle(const InstanceRequest &request) {
  switch (request.kind) {
    case InstanceRequest::Kind::Activate: RaiseWindow(request.activationToken); break;
    case InstanceRequest::Kind::Search:
      ShowInWindow(QString(), request.text.left(kLongestKey), request.activationToken);
      break;
    case InstanceRequest::Kind::Selection: LookUpSelection(request.activationToken); break;
    case InstanceRequest::Kind::Lookup: LookUpIn(request.text, request.activationToken); break;
  }
}

void LookupService::ShowResult(const QString &idiom) { ShowInWindow(idiom, idiom); }

void LookupService::RaiseWindow(const QString &activationToken) {
  if (window_->isMinimized()) window_->showNormal();
  window_->show();
  window_->raise();
  window_->activateWindow();
  // Wayland lets a window forward only with the token of the user's act.
  wayland::ActivateWithToken(window_->windowHandle(), activationToken);
}

void LookupService::ShowInWindow(const QString &idiom, const QString &key, const QString &activationToken) {
  RaiseWindow(activationToken);
  if (!idiom.isEmpty()) {
    // Shown as choosing it does, with the search box saying what was looked up.
    services_.searchAgain(idiom);
    return;
  }
  if (!key.trimmed().isEmpty()) services_.searchAgain(key.trimmed());
}

void LookupService::LookUpSelection(const QString &activationToken) {
  // The primary selection where there is one; the clipboard elsewhere.
  selection_.Read(SelectionReader::Source::Selection,
                  [this, activationToken](const QString &text) { LookUpIn(text, activationToken); });
}

void LookupService::LookUpIn(const QString &text, const QString &activationToken) {
  if (text.trimmed().isEmpty()) return ShowNothingRead(activationToken);
  const QString idiom = IdiomIn(text);
  // Away: the user is in another program (a window that is shown but not
  // active, too: Wayland never says a window is minimised).
  const bool away = !window_->isActiveWindow();
  if (!idiom.isEmpty() && away && Setting("Popup", true)) return ShowPopup(idiom, activationToken);
  ShowInWindow(idiom, text.simplified().left(kLongestKey), activationToken);
}

LookupPopup *LookupService::Popup() {
  if (popup_) return popup_;
  popup_ = new LookupPopup;
  // A window of its own beside the main one (placed with it on Wayland).
  popup_->setParent(window_, popup_->windowFlags());
  connect(popup_, &LookupPopup::openRequested, this, &LookupService::ShowResult);
  connect(popup_, &LookupPopup::copying, this, [this] {
    copying_ = true;
    QTimer::singleShot(0, this, [this] { copying_ = false; });
  });
  connect(popup_, &LookupPopup::speakRequested, this, [this](const QString &text) { services_.say(text); });
  connect(popup_, &LookupPopup::favouriteRequested, this, [this](const QString &idiom, bool favourite) {
    if (store_) store_->SetFavourite(idiom, favourite);
    services_.favouritesChanged();
    popup_->ShowState(store_ && store_->IsFavourite(idiom), services_.studied(idiom));
  });
  connect(popup_, &LookupPopup::studyRequested, this, [this](const QString &idiom) {
    services_.study({idiom});
    popup_->ShowState(store_ && store_->IsFavourite(idiom), services_.studied(idiom));
  });
  return popup_;
}

void LookupService::ShowPopup(const QString &idiom, const QString &activationToken) {
  LookupPopup *popup = Popup();
  const auto record = Record(idiom);
  Retranslate(popup);
  popup->ShowIdiom(idiom, record ? record->spell : QString(), record ? record->note : QString());
  popup->ShowState(store_ && store_->IsFavourite(idiom), services_.studied(idiom));
  wayland::ActivateWithToken(popup->windowHandle(), activationToken);
}

void LookupService::ShowNothingRead(const QString &activationToken) {
  LookupPopup *popup = Popup();
  Retranslate(popup);
  popup->ShowMessage(CaptionOr("NOSELECTION", "No selected text could be read — copy it (Ctrl+C) and try again"));
  wayland::ActivateWithToken(popup->windowHandle(), activationToken);
}

void LookupService::WatchClipboard() {
  // The popup's own "Copy" is no new text to look up.
  if (copying_) return;
  selection_.Read(SelectionReader::Source::Clipboard, [this](const QString &text) {
    const QString idiom = IdiomIn(text);
    if (!idiom.isEmpty()) ShowPopup(idiom, {});
  });
}

int LookupService::StudyNewOnes(const std::vector<QString> &idioms) {
  std::vector<QString> fresh;
  for (const QString &idiom : idioms)
    if (!services_.studied(idiom)) fresh.push_back(idiom);
  if (!fresh.empty()) services_.study(fresh);
  return static_cast<int>(fresh.size());
}

void LookupService::OpenReader() {
  if (!reader_) {
    reader_ = new ReadTextDialog(
        {[this] { return Automaton(); }, [this](int index) { return IdiomAt(index); },
         [this](const QString &idiom) { return store_ != nullptr && store_->SetFavourite(idiom, true); },
         [](const QString &idiom) { return DesktopDescription(idiom).value(QStringLiteral("description")).toString(); },
         [this](const std::vector<QString> &idioms) { return StudyNewOnes(idioms); }},
        window_);
    connect(reader_, &ReadTextDialog::idiomChosen, this, &LookupService::ShowResult);
    connect(reader_, &QDialog::finished, this, [this] { services_.favouritesChanged(); });
  }
  Retranslate(reader_);
  reader_->show();
  reader_->raise();
  reader_->activateWindow();
}

}  // namespace velmora
