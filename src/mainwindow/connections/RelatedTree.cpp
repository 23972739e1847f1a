#include "mainwindow/connections/RelatedTree.h"

#include <QHeaderView>

#include "lang/Captions.h"
#include "platform/BoldFromRegular.h"
#include "platform/LanguageTexts.h"
#include "platform/ListHeader.h"

namespace velmora {

namespace {

// Where a "more…" item keeps the idioms it stands for.
constexpr int kRestRole = Qt::UserRole + 1;

}  // namespace

RelatedTree::RelatedTree(QWidget *parent) : QTreeWidget(parent) {
  setObjectName(QStringLiteral("trvRelated"));
  SetLanguageName(this, "ACCRELATED", "Related idioms");
  setColumnCount(2);
  ListHeader::InstallOn(this);
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setItemsExpandable(false);
  setWordWrap(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
  header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  header()->setStretchLastSection(true);
  header()->setSectionsClickable(false);
  connect(this, &QTreeWidget::itemClicked, this, &RelatedTree::Choose);
  connect(this, &QTreeWidget::itemActivated, this, &RelatedTree::Choose);
  hide();
}

void RelatedTree::Choose(QTreeWidgetItem *item) {
  if (!item->parent() || !(item->flags() & Qt::ItemIsEnabled)) return;
  if (item->data(0, kRestRole).isValid()) return ShowMore(item);
  emit idiomChosen(item->text(0));
}

void RelatedTree::ShowLoading() {
  clear();
  auto *item = new QTreeWidgetItem(this, {QStringLiteral("…")});
  item->setFlags(Qt::NoItemFlags);
}

void RelatedTree::AddIdiom(QTreeWidgetItem *section, const QString &idiom, bool choosable, const Describe &describe) {
  auto *item = new QTreeWidgetItem(section, {idiom, describe(idiom)});
  item->setToolTip(1, item->text(1));
  // An idiom the edition does not hold is shown, but cannot be chosen.
  item->setFlags(choosable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags);
}

void RelatedTree::AddSection(const char *key, const char *builtIn, const QStringList &idioms, bool onlyInEdition) {
  if (idioms.isEmpty()) return;
  auto *section = new QTreeWidgetItem(this, {CaptionOr(key, builtIn)});
  section->setFont(0, BoldFromRegular(font()));
  section->setFlags(Qt::ItemIsEnabled);
  section->setFirstColumnSpanned(true);
  for (const QString &idiom : idioms.mid(0, kShown))
    AddIdiom(section, idiom, !onlyInEdition || inEdition_(idiom), describe_);
  if (idioms.size() <= kShown) return;
  // The common part shown; the rest when asked for.
  auto *more = new QTreeWidgetItem(section, {CaptionOr("RELMORE", "more… (%1)").arg(idioms.size() - kShown)});
  more->setData(0, kRestRole, QStringList(idioms.mid(kShown)));
  more->setData(0, kRestRole + 1, onlyInEdition);
  more->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
}

void RelatedTree::ShowMore(QTreeWidgetItem *more) {
  QTreeWidgetItem *section = more->parent();
  const QStringList rest = more->data(0, kRestRole).toStringList();
  const bool onlyInEdition = more->data(0, kRestRole + 1).toBool();
  delete more;
  for (const QString &idiom : rest) AddIdiom(section, idiom, !onlyInEdition || inEdition_(idiom), describe_);
}

void RelatedTree::Fill(const QString &shown, const RelatedIdioms &related, const RelatedTerms &terms,
                       const std::function<bool(const QString &)> &inEdition, const Describe &describe) {
  clear();
  inEdition_ = inEdition;
  describe_ = describe;
  // The idiom these relations are of, in sight above them.
  setHeaderLabels({shown, shown.isEmpty() ? QString() : describe(shown)});
  AddSection("RELSYN", "Synonyms (近义词)", terms.synonyms, true);
  AddSection("RELANT", "Antonyms (反义词)", terms.antonyms, true);
  AddSection("RELMEANING", "Same meaning", related.sameMeaning, false);
  AddSection("RELCHARS", "Same characters", related.sameCharacters, false);
  AddSection("RELNEXT", "Next in a chain", related.nextByCharacter, false);
  AddSection("RELNEXTSOUND", "Next by sound", related.nextBySyllable, false);
  expandAll();
  if (topLevelItemCount() == 0) {
    auto *none = new QTreeWidgetItem(this, {QStringLiteral("—")});
    none->setFlags(Qt::NoItemFlags);
  }
}

}  // namespace velmora
