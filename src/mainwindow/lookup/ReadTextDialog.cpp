#include "mainwindow/lookup/ReadTextDialog.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <map>
#include <unordered_map>

#include "config/IniDocument.h"
#include "lang/Captions.h"
#include "mainwindow/DesignControls.h"
#include "platform/FileDialogs.h"
#include "platform/LanguageTexts.h"

namespace velmora {

namespace {

// Typing pauses this long before the text is read again.
constexpr int kPauseMilliseconds = 300;
// Larger texts than this are read on a worker, with the progress shown.
constexpr qsizetype kReadAtOnce = 200000;
// How much text goes into the box in one turn of the event loop.
constexpr qsizetype kLoadPiece = 128 * 1024;
// Files larger than this are not opened: a book is some megabytes.
constexpr qint64 kLargestFile = 32 * 1024 * 1024;

// The file's text, read on a worker; only a regular file (after its links)
// and no more than the largest size: a device or a pipe would be read
// until it ends, maybe never. What refuses it is put in words on the
// window's thread, which reads the language file.
enum class Refusal { None, NotText, TooLarge, Unreadable };

Refusal ReadText(const QString &path, QString *text) {
  const QFileInfo info(path);
  if (!info.isFile()) return Refusal::NotText;
  if (info.size() > kLargestFile) return Refusal::TooLarge;
  QFile file(info.canonicalFilePath());
  if (!file.open(QIODevice::ReadOnly)) return Refusal::Unreadable;
  const QByteArray bytes = file.read(kLargestFile + 1);
  if (bytes.size() > kLargestFile) return Refusal::TooLarge;
  *text = DecodeLikeSettings(bytes);
  return Refusal::None;
}

// A line this long is laid out whole at every change of it, and a text of
// one line of megabytes would stall the window for seconds each time: such
// lines are shown broken after a sentence near this length, after a clause
// at twice it (an idiom of two halves, 分久必合，合久必分, may hold a comma),
// and anywhere at four times it.
constexpr qsizetype kLongestLine = 2000;

bool EndsASentence(QChar c) { return QStringLiteral("。！？；.!?;").contains(c); }
bool EndsAClause(QChar c) { return QStringLiteral("，、：,: \t").contains(c); }

QString WithLongLinesBroken(const QString &text) {
  QString shown;
  shown.reserve(text.size() + text.size() / kLongestLine);
  qsizetype line = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    shown += c;
    line = c == u'\n' ? 0 : line + 1;
    if (line < kLongestLine) continue;
    const bool splitsNothing = i + 1 >= text.size() || !text[i + 1].isLowSurrogate();
    if (EndsASentence(c) || (line >= 2 * kLongestLine && EndsAClause(c)) ||
        (line >= 4 * kLongestLine && splitsNothing)) {
      shown += u'\n';
      line = 0;
    }
  }
  return shown;
}

QString RefusalText(Refusal refusal, const QString &path) {
  switch (refusal) {
    case Refusal::None: break;
    case Refusal::NotText: return CaptionOr("READNOTTEXT", "%1 is not a text file").arg(path);
    case Refusal::TooLarge:
      return CaptionOr("READTOOLARGE", "%1 is larger than %2 MB: split it to read it here")
          .arg(path)
          .arg(kLargestFile >> 20);
    case Refusal::Unreadable: return CaptionOr("READUNREADABLE", "%1 cannot be read").arg(path);
  }
  return {};
}

}  // namespace

ReadTextDialog::ReadTextDialog(Services services, QWidget *parent) : QDialog(parent), services_(std::move(services)) {
  setObjectName(QStringLiteral("frmReadText"));
  SetLanguageText(this, TextRole::Title, "READTITLE", "Read text");
  SetLanguageName(this, "READTITLE", "Read text");
  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("txtReadText"));
  SetLanguageName(text_, "READTEXT", "Text to read");
  SetLanguageText(text_, TextRole::Placeholder, "READPASTE", "Paste a text, or open a file");
  idioms_ = new QTreeWidget(this);
  idioms_->setObjectName(QStringLiteral("lstReadIdioms"));
  SetLanguageName(idioms_, "READIDIOMS", "Idioms in the text");
  idioms_->setColumnCount(3);
  idioms_->setHeaderLabels({CaptionOr("READIDIOM", "Idiom"), CaptionOr("READMEANING", "Reading and meaning"),
                            CaptionOr("READTIMES", "Times")});
  idioms_->setRootIsDecorated(false);
  idioms_->header()->setStretchLastSection(false);
  idioms_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  idioms_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
  idioms_->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
  open_ = NamedButton(this, "cmdReadOpen", QString());
  SetLanguageCaption(open_, "READOPEN", "Open file…");
  star_ = NamedButton(this, "cmdReadStar", QString());
  SetLanguageCaption(star_, "READSTAR", "Star all");
  study_ = NamedButton(this, "cmdReadStudy", QString());
  SetLanguageCaption(study_, "READSTUDY", "Put the new ones into Study");
  for (QPushButton *button : {open_, star_, study_}) button->setAutoDefault(false);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("lblReadStatus"));
  status_->setTextFormat(Qt::PlainText);
  progress_ = new QProgressBar(this);
  progress_->setRange(0, 0);
  progress_->hide();
  auto *panes = new QHBoxLayout;
  panes->addWidget(text_, 3);
  panes->addWidget(idioms_, 2);
  auto *row = new QHBoxLayout;
  row->addWidget(open_);
  row->addWidget(status_, 1);
  row->addWidget(progress_);
  row->addWidget(star_);
  row->addWidget(study_);
  auto *column = new QVBoxLayout(this);
  column->addLayout(panes, 1);
  column->addLayout(row);
  resize(900, 520);

  pause_.setSingleShot(true);
  pause_.setInterval(kPauseMilliseconds);
  connect(&pause_, &QTimer::timeout, this, &ReadTextDialog::Scan);
  connect(text_, &QPlainTextEdit::textChanged, &pause_, qOverload<>(&QTimer::start));
  // The places found belong to the text they were found in.
  connect(text_, &QPlainTextEdit::textChanged, this, [this] {
    found_.clear();
    ++textChanges_;
  });
  connect(open_, &QPushButton::clicked, this, &ReadTextDialog::OpenFile);
  connect(star_, &QPushButton::clicked, this, &ReadTextDialog::StarAll);
  connect(study_, &QPushButton::clicked, this, &ReadTextDialog::StudyNewOnes);
  loading_.setInterval(0);
  connect(&loading_, &QTimer::timeout, this, &ReadTextDialog::LoadPiece);
  describing_.setInterval(0);
  connect(&describing_, &QTimer::timeout, this, &ReadTextDialog::DescribeSome);
  connect(idioms_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) { emit idiomChosen(item->text(0)); });
  connect(idioms_, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem *item) { emit idiomChosen(item->text(0)); });
  connect(&scanning_, &QFutureWatcher<Scanned>::finished, this, &ReadTextDialog::ScanFinished);
  connect(&opening_, &QFutureWatcher<Opened>::finished, this, &ReadTextDialog::ShowOpened);
  // Once the view has moved and laid out what it shows.
  underline_.setSingleShot(true);
  underline_.setInterval(0);
  connect(&underline_, &QTimer::timeout, this, &ReadTextDialog::UnderlineVisible);
  connect(text_->verticalScrollBar(), &QScrollBar::valueChanged, &underline_, qOverload<>(&QTimer::start));
  connect(text_->horizontalScrollBar(), &QScrollBar::valueChanged, &underline_, qOverload<>(&QTimer::start));
  connect(text_, &QPlainTextEdit::updateRequest, this, [this](const QRect &, int dy) {
    if (dy != 0) underline_.start();
  });
}

ReadTextDialog::~ReadTextDialog() {
  // A watcher that was never given a future has nothing to wait for.
  for (QFutureWatcherBase *work : std::initializer_list<QFutureWatcherBase *>{&scanning_, &opening_})
    if (work->isRunning()) work->waitForFinished();
}

void ReadTextDialog::resizeEvent(QResizeEvent *event) {
  QDialog::resizeEvent(event);
  underline_.start();
}

void ReadTextDialog::SetText(const QString &given) {
  loading_.stop();
  const QString text = WithLongLinesBroken(given);
  if (text.size() <= kLoadPiece) {
    text_->setPlainText(text);
    Scan();
    return;
  }
  // A long text goes into the box a piece at a time, so that the window
  // answers meanwhile; it is read once all of it is in.
  text_->setPlainText(text.left(kLoadPiece));
  pending_ = text.mid(kLoadPiece);
  progress_->show();
  status_->setText(CaptionOr("READREADING", "Reading…"));
  loading_.start();
}

void ReadTextDialog::LoadPiece() {
  qsizetype piece = std::min(kLoadPiece, pending_.size());
  // Never between the two halves of a character outside the basic plane.
  if (piece < pending_.size() && pending_[piece].isLowSurrogate()) ++piece;
  QTextCursor end(text_->document());
  end.movePosition(QTextCursor::End);
  end.insertText(pending_.left(piece));
  pending_.remove(0, piece);
  if (!pending_.isEmpty()) return;
  pending_.squeeze();
  loading_.stop();
  Scan();
}

void ReadTextDialog::OpenFile() {
  const QStringList paths = ChooseOpenFiles(this, CaptionOr("READOPENTITLE", "Open a text"),
                                            CaptionOr("READFILES", "Texts (*.txt);;All files (*)"));
  if (paths.isEmpty() || opening_.isRunning()) return;
  progress_->show();
  status_->setText(CaptionOr("READREADING", "Reading…"));
  opening_.setFuture(QtConcurrent::run([path = paths.front()] {
    Opened opened;
    opened.path = path;
    opened.refusal = static_cast<int>(ReadText(path, &opened.text));
    return opened;
  }));
}

void ReadTextDialog::ShowOpened() {
  progress_->hide();
  if (opening_.future().resultCount() == 0) return;
  const Opened opened = opening_.future().takeResult();
  const QString refused = RefusalText(static_cast<Refusal>(opened.refusal), opened.path);
  if (!refused.isEmpty()) return status_->setText(refused);
  SetText(opened.text);
}

void ReadTextDialog::Scan() {
  pause_.stop();
  if (loading_.isActive()) return;  // read once the whole text is in
  const IdiomAutomaton *automaton = services_.automaton();
  if (!automaton || scanning_.isRunning()) return;  // its end looks at the text again
  const QString text = text_->toPlainText();
  if (text.size() <= kReadAtOnce) return ShowFound(ScanText(*automaton, text));
  progress_->show();
  status_->setText(CaptionOr("READREADING", "Reading…"));
  scanChanges_ = textChanges_;
  scanning_.setFuture(QtConcurrent::run([automaton, text] { return ScanText(*automaton, text); }));
}

void ReadTextDialog::ScanFinished() {
  if (scanning_.future().resultCount() == 0) return progress_->hide();
  // What the scan found belongs to the text it read: a text changed
  // meanwhile (whose own scan waited for this one) is read again.
  if (textChanges_ != scanChanges_) return Scan();
  ShowFound(scanning_.future().takeResult());
}

ReadTextDialog::Scanned ReadTextDialog::ScanText(const IdiomAutomaton &automaton, const QString &text) {
  Scanned scanned;
  scanned.found = automaton.Scan(text);
  std::unordered_map<int, int> counts;
  for (const auto &f : scanned.found) ++counts[f.idiom];
  scanned.counts.assign(counts.begin(), counts.end());
  return scanned;
}

void ReadTextDialog::ShowFound(Scanned scanned) {
  progress_->hide();  // shown while a text went in, or was read
  found_ = std::move(scanned.found);
  std::map<QString, int> counts;
  for (const auto &[idiom, count] : scanned.counts) counts[services_.idiomAt(idiom)] += count;
  UnderlineVisible();
  std::vector<std::pair<QString, int>> ranked(counts.begin(), counts.end());
  std::stable_sort(ranked.begin(), ranked.end(), [](const auto &a, const auto &b) { return a.second > b.second; });
  idioms_->clear();
  for (const auto &[idiom, count] : ranked) new QTreeWidgetItem(idioms_, {idiom, QString(), QString::number(count)});
  described_ = 0;
  DescribeSome();
  status_->setText(
      CaptionOr("READFOUND", "%1, %2")
          .arg(CountCaption(static_cast<long long>(ranked.size()), "READIDIOMONE", "1 idiom", "READIDIOMMANY",
                            "%1 idioms"),
               CountCaption(static_cast<long long>(found_.size()), "READTIMEONE", "once", "READTIMEMANY", "%1 times")));
  star_->setEnabled(!ranked.empty());
  study_->setEnabled(!ranked.empty());
}

void ReadTextDialog::DescribeSome() {
  constexpr int kAtOnce = 40;
  const int end = std::min(idioms_->topLevelItemCount(), described_ + kAtOnce);
  for (; described_ < end && services_.describe; ++described_) {
    QTreeWidgetItem *item = idioms_->topLevelItem(described_);
    const QString line = services_.describe(item->text(0));
    item->setText(1, line);
    item->setToolTip(1, line);
  }
  if (described_ < idioms_->topLevelItemCount())
    describing_.start();
  else
    describing_.stop();
}

void ReadTextDialog::UnderlineVisible() {
  QList<QTextEdit::ExtraSelection> underlines;
  if (!found_.empty()) {
    QTextCharFormat underline;
    underline.setFontUnderline(true);
    underline.setUnderlineStyle(QTextCharFormat::SingleUnderline);
    underline.setUnderlineColor(palette().color(QPalette::Highlight));
    const QRect view = text_->viewport()->rect();
    const qsizetype first = text_->cursorForPosition(view.topLeft()).position();
    const qsizetype last = text_->cursorForPosition(view.bottomRight()).position();
    // Idioms start in text order; one that starts before the view may reach into it.
    auto at =
        std::lower_bound(found_.begin(), found_.end(), first,
                         [](const IdiomAutomaton::Found &f, qsizetype place) { return f.start + f.length <= place; });
    // Places past the box's end belong to no text it holds.
    const qsizetype end = text_->document()->characterCount() - 1;
    for (; at != found_.end() && at->start <= last && at->start + at->length <= end; ++at) {
      QTextCursor cursor(text_->document());
      cursor.setPosition(static_cast<int>(at->start));
      cursor.setPosition(static_cast<int>(at->start + at->length), QTextCursor::KeepAnchor);
      underlines.push_back({cursor, underline});
    }
  }
  text_->setExtraSelections(underlines);
}

void ReadTextDialog::StarAll() {
  int kept = 0;
  for (int i = 0; i < idioms_->topLevelItemCount(); ++i) kept += services_.star(idioms_->topLevelItem(i)->text(0));
  status_->setText(CountCaption(kept, "READSTARREDONE", "1 idiom starred", "READSTARRED", "%1 idioms starred"));
}

void ReadTextDialog::StudyNewOnes() {
  if (!services_.study) return;
  std::vector<QString> idioms;
  for (int i = 0; i < idioms_->topLevelItemCount(); ++i) idioms.push_back(idioms_->topLevelItem(i)->text(0));
  const int added = services_.study(idioms);
  status_->setText(
      CountCaption(added, "READSTUDIEDONE", "1 idiom put into Study", "READSTUDIED", "%1 idioms put into Study"));
}

}  // namespace velmora
