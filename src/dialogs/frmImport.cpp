#include "frmImport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include "config/InstallLayout.h"
#include "data/ConnString.h"
#include "editions/SourceError.h"
#include "lang/Captions.h"
#include "platform/BusyCursor.h"
#include "platform/FileDialogs.h"
#include "platform/LanguageTexts.h"
#include "platform/MessageBoxes.h"
#include "platform/Restart.h"
#include "platform/WindowLanguage.h"

namespace velmora {

namespace {

QString Title() { return CaptionOr("IMPTITLE", "Import idioms"); }

QPushButton *Button(QWidget *parent, const char *name, const QString &text) {
  auto *button = new QPushButton(text, parent);
  button->setObjectName(QLatin1String(name));
  return button;
}

void Tell(const QString &text, MessageIcon icon = MessageIcon::None) {
  ShowMessageBox({text, Title(), MessageButtons::Ok, icon});
}

// The new editions are written beside those they replace, under another
// name, and moved over them once verified.
editions::EditionPaths BuiltPaths(const editions::EditionPaths &targets) {
  return {targets.gb + QStringLiteral(".new"), targets.big5 + QStringLiteral(".new")};
}

// The source, or why it cannot be read, in words.
frmImport::SourceReading ReadSource(const QString &path) {
  try {
    // The installation's word list: CC-CEDICT's untagged idioms join, and
    // every idiom knows how common it is, as in the editions it ships with.
    static const editions::WordList words = editions::InstalledWordList();
    return {editions::LoadSource(path, editions::SourceKind::Any, words.size() > 0 ? &words : nullptr), QString()};
  } catch (const editions::SourceError &error) {
    return {editions::LoadedSource{}, error.Text()};
  } catch (const std::exception &error) {
    // Whatever a reader throws is a failure of this file, never of the window.
    return {editions::LoadedSource{},
            QStringLiteral("%1: the file cannot be read (%2)").arg(path, QString::fromLocal8Bit(error.what()))};
  } catch (...) {
    return {editions::LoadedSource{}, QStringLiteral("%1: the file cannot be read").arg(path)};
  }
}

}  // namespace

frmImport::frmImport(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmImport"));
  setWindowTitle(Title());
  SetFormFont(this);
  resize(640, 380);
  auto *intro =
      new QLabel(CaptionOr("IMPINTRO",
                           "Choose idiom data: JSON data sets (word, pinyin, explanation, derivation, example) or "
                           "CC-CEDICT (cedict_ts.u8 from the CC-CEDICT site, or the cc-cedict package's all.js). "
                           "Idioms found in several files are merged."),
                 this);
  intro->setWordWrap(true);
  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("lstImportSources"));
  SetLanguageName(list_, "IMPLIST", "Files to import");
  list_->setHeaderLabels({CaptionOr("IMPFILE", "File"), CaptionOr("IMPFORMAT", "Format"),
                          CaptionOr("IMPIDIOMS", "Idioms"), CaptionOr("IMPEXPLAIN", "Explanation"),
                          CaptionOr("IMPDERIVATION", "Derivation"), CaptionOr("IMPEXAMPLE", "Example")});
  list_->setRootIsDecorated(false);
  list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  list_->header()->setStretchLastSection(false);
  for (int column = 1; column < 6; ++column)
    list_->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
  add_ = Button(this, "cmdImportAdd", CaptionOr("IMPADD", "Add files…"));
  addToInUse_ = new QRadioButton(CaptionOr("IMPADDMODE", "Add to the dictionary in use"), this);
  addToInUse_->setObjectName(QStringLiteral("optImportAdd"));
  replaceInUse_ = new QRadioButton(CaptionOr("IMPREPLACEMODE", "Replace the dictionary"), this);
  replaceInUse_->setObjectName(QStringLiteral("optImportReplace"));
  addToInUse_->setChecked(true);
  // Adding reads the simplified edition in use back; without it there is only replacing.
  if (!QFileInfo(DataFilePath(QStringLiteral("GB"))).isFile()) {
    addToInUse_->setEnabled(false);
    replaceInUse_->setChecked(true);
  }
  remove_ = Button(this, "cmdImportRemove", CaptionOr("IMPREMOVE", "Remove"));
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("lblImportStatus"));
  status_->setWordWrap(true);
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("prgImport"));
  SetLanguageName(progress_, "IMPPROGRESS", "Import progress");
  progress_->setRange(0, 1000);
  progress_->hide();
  restore_ = Button(this, "cmdImportRestore", CaptionOr("IMPRESTORE", "Restore the previous dictionary"));
  import_ = Button(this, "cmdImportStart", CaptionOr("IMPSTART", "Import"));
  close_ = Button(this, "cmdImportClose", CaptionOr("IMPCLOSE", "Close"));
  import_->setDefault(true);

  auto *fileButtons = new QHBoxLayout;
  fileButtons->addWidget(add_);
  fileButtons->addWidget(remove_);
  fileButtons->addStretch();
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(restore_);
  buttons->addStretch();
  buttons->addWidget(import_);
  buttons->addWidget(close_);
  auto *modes = new QHBoxLayout;
  modes->addWidget(addToInUse_);
  modes->addWidget(replaceInUse_);
  modes->addStretch();
  auto *column = new QVBoxLayout(this);
  column->addWidget(intro);
  column->addWidget(list_, 1);
  column->addLayout(fileButtons);
  column->addLayout(modes);
  column->addWidget(status_);
  column->addWidget(progress_);
  column->addLayout(buttons);

  connect(add_, &QPushButton::clicked, this, &frmImport::ChooseFiles);
  connect(remove_, &QPushButton::clicked, this, &frmImport::RemoveSelected);
  connect(restore_, &QPushButton::clicked, this, &frmImport::RestorePrevious);
  connect(import_, &QPushButton::clicked, this, &frmImport::StartImport);
  connect(close_, &QPushButton::clicked, this, &frmImport::reject);
  connect(list_, &QTreeWidget::itemSelectionChanged, this, &frmImport::UpdateButtons);
  connect(addToInUse_, &QRadioButton::toggled, this, &frmImport::ShowSources);
  connect(&importTask_, &editions::EditionImport::progress, this,
          [this](double done) { progress_->setValue(static_cast<int>(done * 1000)); });
  connect(&importTask_, &editions::EditionImport::finished, this, &frmImport::FinishImport);
  connect(&importTask_, &editions::EditionImport::cancelled, this, &frmImport::EndCancelledImport);
  UpdateButtons();
}

frmImport::~frmImport() {
  // Closed mid-import (the program asked to end): what was built goes, as a
  // failed build's does; the lock goes with the dialog.
  if (!importing_) return;
  importTask_.CancelAndWait();
  for (const QString &file : {built_.gb, built_.big5}) QFile::remove(file);
}

editions::EditionPaths frmImport::EditionsInUse() {
  return {DataFileTarget(QStringLiteral("GB")), DataFileTarget(QStringLiteral("BIG5"))};
}

void frmImport::UpdateButtons() {
  const bool busy = IsImporting() || reading_;
  add_->setEnabled(!busy);
  addToInUse_->setEnabled(!busy && QFileInfo(DataFilePath(QStringLiteral("GB"))).isFile());
  replaceInUse_->setEnabled(!busy);
  remove_->setEnabled(!busy && !list_->selectedItems().isEmpty());
  import_->setEnabled(!busy && !sources_.empty());
  restore_->setEnabled(!busy && editions::HasPreviousEditions(EditionsInUse()));
  close_->setText(IsImporting() || reading_ ? CaptionOr("IMPCANCEL", "Cancel") : CaptionOr("IMPCLOSE", "Close"));
}

void frmImport::ChooseFiles() {
  AddFiles(ChooseOpenFiles(this, CaptionOr("IMPCHOOSE", "Choose idiom data"),
                           CaptionOr("IMPFILTER", "Idiom data (*.json *.u8 *.txt *.js);;All files (*)")));
}

void frmImport::AddFiles(const QStringList &paths) {
  if (reading_ || IsImporting() || paths.isEmpty()) return;
  reading_ = true;
  UpdateButtons();
  // The files are read side by side (a large source takes a second) and
  // taken in the order chosen as each is done; the dialog keeps answering,
  // and Cancel leaves the readings to finish unheeded.
  for (const QString &path : paths) {
    auto *watcher = new QFutureWatcher<SourceReading>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, &frmImport::TakeFinishedReadings);
    watcher->setFuture(QtConcurrent::run(ReadSource, path));
    readings_.push_back({path, watcher});
  }
  TakeFinishedReadings();
}

void frmImport::TakeFinishedReadings() {
  // A message about one file runs an event loop, in which others finish.
  if (takingReadings_) return;
  const QScopedValueRollback<bool> taking(takingReadings_, true);
  while (!readings_.empty() && readings_.front().watcher->isFinished()) {
    const std::unique_ptr<QFutureWatcher<SourceReading>> watcher(readings_.front().watcher);
    readings_.pop_front();
    auto [source, failure] = watcher->future().takeResult();
    if (failure.isEmpty()) {
      sources_.push_back(std::move(source));
      continue;
    }
    status_->clear();
    Tell(failure, MessageIcon::Exclamation);
    if (!reading_) return;  // cancelled while the message was up
  }
  if (!readings_.empty()) {
    status_->setText(CaptionOr("IMPREADING", "Reading %1…").arg(QFileInfo(readings_.front().path).fileName()));
    return;
  }
  reading_ = false;
  ShowSources();
}

void frmImport::DropReadings() {
  for (const PendingReading &reading : readings_) {
    // The reading runs on; nobody waits for it.
    reading.watcher->disconnect(this);
    reading.watcher->deleteLater();
  }
  readings_.clear();
  reading_ = false;
  ShowSources();
}

void frmImport::ShowSources() {
  list_->clear();
  size_t idioms = 0, english = 0, chinese = 0;
  editions::SkippedEntries skipped;
  for (const editions::LoadedSource &source : sources_) {
    idioms += source.entries.size();
    skipped.Add(source.skipped);
    english += static_cast<size_t>(source.withEnglish);
    chinese += static_cast<size_t>(source.withExplanation);
    auto *item = new QTreeWidgetItem({QFileInfo(source.path).fileName(), FormatText(source.format),
                                      QString::number(source.entries.size()), QString::number(source.withExplanation),
                                      QString::number(source.withDerivation), QString::number(source.withExample)});
    item->setToolTip(0, source.path);
    list_->addTopLevelItem(item);
  }
  const QLocale locale;
  const QString files =
      sources_.size() == 1
          ? CaptionOr("IMPONEFILE", "1 file")
          : CaptionOr("IMPFILES", "%1 files").arg(locale.toString(static_cast<qulonglong>(sources_.size())));
  const QString what =
      addToInUse_->isChecked()
          ? CaptionOr("IMPADDS", "Import adds them to the dictionary in use, in both editions (GB and BIG5).")
          : CaptionOr("IMPREPLACES",
                      "Import builds both editions (GB and BIG5) from them alone and "
                      "replaces the dictionary in use.");
  status_->setText(sources_.empty() ? QString()
                                    : CaptionOr("IMPSUMMARY",
                                                "%1 idioms in %2: %3 with an English definition, %4 with a "
                                                "Chinese explanation.")
                                              .arg(locale.toString(static_cast<qulonglong>(idioms)), files,
                                                   locale.toString(static_cast<qulonglong>(english)),
                                                   locale.toString(static_cast<qulonglong>(chinese))) +
                                          SkippedText(skipped) + QLatin1Char(' ') + what);
  UpdateButtons();
}

QString frmImport::FormatText(editions::SourceFormat format) {
  switch (format) {
    case editions::SourceFormat::IdiomJson: return CaptionOr("IMPFORMATJSON", "Idioms in JSON");
    case editions::SourceFormat::CedictModule: return CaptionOr("IMPFORMATCEDICTJS", "CC-CEDICT (all.js)");
    case editions::SourceFormat::CedictText: return CaptionOr("IMPFORMATCEDICT", "CC-CEDICT (cedict_ts.u8)");
    case editions::SourceFormat::EditionInUse: return CaptionOr("IMPFORMATINUSE", "The dictionary in use");
  }
  return {};
}

QString frmImport::SkippedText(const editions::SkippedEntries &skipped) {
  const QLocale locale;
  const auto counts = [&locale](std::initializer_list<std::tuple<int, const char *, const char *>> kinds) {
    QStringList said;
    for (const auto &[count, key, english] : kinds)
      if (count > 0) said << CaptionOr(key, english).arg(locale.toString(count));
    return said.join(CaptionOr("LISTCOMMA", ", "));
  };
  QString text;
  if (skipped.Total() > 0)
    text += QLatin1Char(' ') + CaptionOr("IMPSKIPPED", "Skipped: %1.")
                                   .arg(counts({{skipped.withoutReading, "IMPSKIPNOREADING", "%1 without a reading"},
                                                {skipped.withoutIdiom, "IMPSKIPNOIDIOM", "%1 without an idiom"},
                                                {skipped.notAnEntry, "IMPSKIPNOTENTRY", "%1 not an idiom entry"},
                                                {skipped.unreadable, "IMPSKIPUNREADABLE",
                                                 "%1 with control characters or an overlong reading"}}));
  if (skipped.Doubtful() > 0)
    text += QLatin1Char(' ') +
            CaptionOr("IMPDOUBTFUL", "Taken, but worth a look: %1.")
                .arg(counts({{skipped.syllablesDiffer, "IMPSYLLABLESDIFFER",
                              "%1 whose reading has more or fewer syllables than the idiom has characters"},
                             {skipped.oddToneDigits, "IMPODDTONES", "%1 with a tone digit 0, 6, 7, 8 or 9"}}));
  return text;
}

void frmImport::RemoveSelected() {
  for (QTreeWidgetItem *item : list_->selectedItems()) {
    const int row = list_->indexOfTopLevelItem(item);
    if (row >= 0 && row < static_cast<int>(sources_.size())) sources_.erase(sources_.begin() + row);
  }
  ShowSources();
}

void frmImport::StartImport() {
  if (sources_.empty() || IsImporting() || reading_) return;
  targets_ = EditionsInUse();
  built_ = BuiltPaths(targets_);
  QDir().mkpath(QFileInfo(targets_.gb).absolutePath());
  if (!TakeLock()) return;
  progress_->setValue(0);
  progress_->show();
  status_->setText(CaptionOr("IMPBUILDING", "Building the GB and BIG5 editions…"));
  importing_ = true;
  importTask_.Start(
      {sources_, addToInUse_->isChecked() ? DataFilePath(QStringLiteral("GB")) : QString(), built_, kDatabasePassword});
  UpdateButtons();
}

void frmImport::CancelImport() { importTask_.Cancel(); }

bool frmImport::TakeLock() {
  lock_ = std::make_unique<editions::ImportLock>(QFileInfo(EditionsInUse().gb).absolutePath());
  if (lock_->TryLock()) return true;
  lock_.reset();
  Tell(CaptionOr("IMPBUSY",
                 "Another import into this dictionary is running, in another Velmora window. "
                 "Wait until it has finished, then try again."),
       MessageIcon::Exclamation);
  return false;
}

void frmImport::reject() {
  if (reading_) {
    DropReadings();
    return;
  }
  if (importTask_.IsRunning()) {
    CancelImport();
    return;
  }
  QDialog::reject();
}

void frmImport::EndCancelledImport() {
  importing_ = false;
  lock_.reset();
  progress_->hide();
  // Nothing in use was touched: only the new files go.
  for (const QString &file : {built_.gb, built_.big5}) QFile::remove(file);
  UpdateButtons();
  status_->setText(CaptionOr("IMPCANCELLED", "Cancelled: the dictionary in use is unchanged."));
}

void frmImport::FinishImport(const QString &failure) {
  importing_ = false;
  // Released when this function returns, whichever way.
  const std::unique_ptr<editions::ImportLock> lock = std::move(lock_);
  progress_->hide();
  if (!failure.isEmpty()) {
    // Nothing in use was touched: only the new files go.
    for (const QString &file : {built_.gb, built_.big5}) QFile::remove(file);
    UpdateButtons();
    status_->setText(CaptionOr("IMPFAILED", "The import failed: the dictionary in use is unchanged."));
    Tell(failure, MessageIcon::Exclamation);
    return;
  }
  try {
    // The first import into the user's folder keeps the installed edition
    // as the one to go back to.
    for (const QString &target : {targets_.gb, targets_.big5}) {
      const QString language = target == targets_.gb ? QStringLiteral("GB") : QStringLiteral("BIG5");
      const QString inUse = DataFilePath(language);
      if (!QFileInfo::exists(target) && QFileInfo::exists(inUse)) editions::KeepAsPrevious(inUse, target);
    }
    editions::ReplaceEditions(built_, targets_, kDatabasePassword);
  } catch (const editions::SourceError &error) {
    for (const QString &file : {built_.gb, built_.big5}) QFile::remove(file);
    UpdateButtons();
    Tell(error.Text(), MessageIcon::Exclamation);
    return;
  }
  const long long gb = editions::CountIdioms(targets_.gb, kDatabasePassword);
  const long long big5 = editions::CountIdioms(targets_.big5, kDatabasePassword);
  status_->setText(
      CaptionOr("IMPDONE", "Imported: %1 idioms in the GB edition, %2 in the BIG5 edition.").arg(gb).arg(big5));
  UpdateButtons();
  OfferRestart(CaptionOr("IMPRESULT", "The new dictionary holds %1 idioms (GB) and %2 (BIG5).").arg(gb).arg(big5));
}

void frmImport::RestorePrevious() {
  if (!TakeLock()) return;
  try {
    editions::RestorePreviousEditions(EditionsInUse(), kDatabasePassword);
  } catch (const editions::SourceError &error) {
    lock_.reset();
    Tell(error.Text(), MessageIcon::Exclamation);
    return;
  }
  lock_.reset();
  status_->setText(CaptionOr("IMPRESTORED", "The previous dictionary is back."));
  UpdateButtons();
  OfferRestart(CaptionOr("IMPRESTORED", "The previous dictionary is back."));
}

void frmImport::OfferRestart(const QString &what) { velmora::OfferRestart(what, Title()); }

}  // namespace velmora
