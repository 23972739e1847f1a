#include "ReadTextDialog.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBlock>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <map>

#include "PaneControls.h"
#include "config/IniDocument.h"
#include "platform/FileDialogs.h"

namespace velmora {

namespace {

// Typing pauses this long before the text is read again.
constexpr int kPauseMilliseconds = 300;
// Larger texts than this are read on a worker, with the progress shown.
constexpr qsizetype kReadAtOnce = 200000;

}  // namespace

ReadTextDialog::ReadTextDialog(Services services, QWidget *parent) : QDialog(parent), services_(std::move(services)) {
  setObjectName(QStringLiteral("frmReadText"));
  setWindowTitle(QStringLiteral("Read text"));
  setAccessibleName(QStringLiteral("Read text"));
  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("txtReadText"));
  text_->setAccessibleName(QStringLiteral("Text to read"));
  text_->setPlaceholderText(QStringLiteral("Paste a text, or open a file"));
  idioms_ = new QTreeWidget(this);
  idioms_->setObjectName(QStringLiteral("lstReadIdioms"));
  idioms_->setAccessibleName(QStringLiteral("Idioms in the text"));
  idioms_->setColumnCount(2);
  idioms_->setHeaderLabels({QStringLiteral("Idiom"), QStringLiteral("Times")});
  idioms_->setRootIsDecorated(false);
  idioms_->header()->setStretchLastSection(false);
  idioms_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  open_ = NamedButton(this, "cmdReadOpen", QStringLiteral("Open file…"));
  star_ = NamedButton(this, "cmdReadStar", QStringLiteral("Star all"));
  for (QPushButton *button : {open_, star_}) button->setAutoDefault(false);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("lblReadStatus"));
  status_->setTextFormat(Qt::PlainText);
  progress_ = new QProgressBar(this);
  progress_->setRange(0, 0);
  progress_->hide();
  auto *panes = new QHBoxLayout;
  panes->addWidget(text_, 3);
  panes->addWidget(idioms_, 1);
  auto *row = new QHBoxLayout;
  row->addWidget(open_);
  row->addWidget(status_, 1);
  row->addWidget(progress_);
  row->addWidget(star_);
  auto *column = new QVBoxLayout(this);
  column->addLayout(panes, 1);
  column->addLayout(row);
  resize(760, 480);

  pause_.setSingleShot(true);
  pause_.setInterval(kPauseMilliseconds);
  connect(&pause_, &QTimer::timeout, this, &ReadTextDialog::Scan);
  connect(text_, &QPlainTextEdit::textChanged, &pause_, qOverload<>(&QTimer::start));
  connect(open_, &QPushButton::clicked, this, &ReadTextDialog::OpenFile);
  connect(star_, &QPushButton::clicked, this, &ReadTextDialog::StarAll);
  connect(idioms_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) { emit idiomChosen(item->text(0)); });
  connect(idioms_, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem *item) { emit idiomChosen(item->text(0)); });
  connect(&scanning_, &QFutureWatcher<std::vector<IdiomAutomaton::Found>>::finished, this, [this] {
    progress_->hide();
    if (scanning_.future().resultCount() > 0) ShowFound(scanning_.future().result());
  });
}

ReadTextDialog::~ReadTextDialog() { scanning_.waitForFinished(); }

void ReadTextDialog::SetText(const QString &text) {
  text_->setPlainText(text);
  Scan();
}

void ReadTextDialog::OpenFile() {
  const QStringList paths =
      ChooseOpenFiles(this, QStringLiteral("Open a text"), QStringLiteral("Texts (*.txt);;All files (*)"));
  if (paths.isEmpty()) return;
  QFile file(paths.front());
  if (!file.open(QIODevice::ReadOnly)) {
    status_->setText(QStringLiteral("%1 cannot be read: %2").arg(paths.front(), file.errorString()));
    return;
  }
  SetText(DecodeLikeSettings(file.readAll()));
}

void ReadTextDialog::Scan() {
  pause_.stop();
  const IdiomAutomaton *automaton = services_.automaton();
  if (!automaton || scanning_.isRunning()) return;
  const QString text = text_->toPlainText();
  if (text.size() <= kReadAtOnce) return ShowFound(automaton->Scan(text));
  progress_->show();
  status_->setText(QStringLiteral("Reading…"));
  scanning_.setFuture(QtConcurrent::run([automaton, text] { return automaton->Scan(text); }));
}

void ReadTextDialog::ShowFound(const std::vector<IdiomAutomaton::Found> &found) {
  QList<QTextEdit::ExtraSelection> underlines;
  QTextCharFormat underline;
  underline.setFontUnderline(true);
  underline.setUnderlineStyle(QTextCharFormat::SingleUnderline);
  underline.setUnderlineColor(palette().color(QPalette::Highlight));
  std::map<QString, int> counts;
  for (const auto &f : found) {
    QTextCursor cursor(text_->document());
    cursor.setPosition(static_cast<int>(f.start));
    cursor.setPosition(static_cast<int>(f.start + f.length), QTextCursor::KeepAnchor);
    underlines.push_back({cursor, underline});
    ++counts[services_.idiomAt(f.idiom)];
  }
  text_->setExtraSelections(underlines);
  std::vector<std::pair<QString, int>> ranked(counts.begin(), counts.end());
  std::stable_sort(ranked.begin(), ranked.end(), [](const auto &a, const auto &b) { return a.second > b.second; });
  idioms_->clear();
  for (const auto &[idiom, count] : ranked) new QTreeWidgetItem(idioms_, {idiom, QString::number(count)});
  status_->setText(QStringLiteral("%1 idioms, %2 times").arg(ranked.size()).arg(found.size()));
  star_->setEnabled(!ranked.empty());
}

void ReadTextDialog::StarAll() {
  int kept = 0;
  for (int i = 0; i < idioms_->topLevelItemCount(); ++i) kept += services_.star(idioms_->topLevelItem(i)->text(0));
  status_->setText(QStringLiteral("%1 idioms starred").arg(kept));
}

}  // namespace velmora
