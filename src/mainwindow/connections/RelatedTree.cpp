#include "mainwindow/connections/RelatedTree.h"

#include <QHeaderView>

#include "lang/Captions.h"
#include "platform/LanguageTexts.h"

namespace velmora {

RelatedTree::RelatedTree(QWidget *parent) : QTreeWidget(parent) {
  setObjectName(QStringLiteral("trvRelated"));
  SetLanguageName(this, "ACCRELATED", "Related idioms");
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setItemsExpandable(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
    if (item->parent() && (item->flags() & Qt::ItemIsEnabled)) emit idiomChosen(item->text(0));
  });
  connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
    if (item->parent() && (item->flags() & Qt::ItemIsEnabled)) emit idiomChosen(item->text(0));
  });
  hide();
}

void RelatedTree::ShowLoading() {
  clear();
  auto *item = new QTreeWidgetItem(this, {QStringLiteral("…")});
  item->setFlags(Qt::NoItemFlags);
}

void RelatedTree::AddSection(const char *key, const char *builtIn, const QStringList &idioms,
                             const std::function<bool(const QString &)> &inEdition) {
  if (idioms.isEmpty()) return;
  auto *section = new QTreeWidgetItem(this, {CaptionOr(key, builtIn)});
  QFont bold = font();
  bold.setBold(true);
  section->setFont(0, bold);
  section->setFlags(Qt::ItemIsEnabled);
  for (const QString &idiom : idioms) {
    auto *item = new QTreeWidgetItem(section, {idiom});
    // An idiom the edition does not hold is shown, but cannot be chosen.
    item->setFlags(inEdition(idiom) ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags);
  }
}

void RelatedTree::Fill(const RelatedIdioms &related, const RelatedTerms &terms,
                       const std::function<bool(const QString &)> &inEdition) {
  clear();
  const auto all = [](const QString &) { return true; };
  AddSection("RELSYN", "Synonyms (近义词)", terms.synonyms, inEdition);
  AddSection("RELANT", "Antonyms (反义词)", terms.antonyms, inEdition);
  AddSection("RELMEANING", "Same meaning", related.sameMeaning, all);
  AddSection("RELCHARS", "Same characters", related.sameCharacters, all);
  AddSection("RELNEXT", "Next in a chain", related.nextByCharacter, all);
  AddSection("RELNEXTSOUND", "Next by sound", related.nextBySyllable, all);
  expandAll();
  if (topLevelItemCount() == 0) {
    auto *none = new QTreeWidgetItem(this, {QStringLiteral("—")});
    none->setFlags(Qt::NoItemFlags);
  }
}

}  // namespace velmora
