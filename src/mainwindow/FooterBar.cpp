#include "FooterBar.h"

#include <algorithm>

#include "data/IdiomStore.h"

namespace velmora {

FooterBar::FooterBar(const FooterControls &controls, const Reader &reader, QObject *parent)
    : QObject(parent), c_(controls) {
  connect(&reader, &Reader::shown, c_.lblUp, [this, &reader] { c_.lblUp->setText(reader.Previous()); });
  connect(c_.lblUp, &ClickableLabel::doubleClicked, this, &FooterBar::lblUp_DblClick);
  connect(c_.lblUp, &ClickableLabel::activated, this, &FooterBar::lblUp_DblClick);
}

void FooterBar::ShowDataCredit() {
  const std::vector<EditionSource> sources = EditionSources();
  const bool cedictOnly = std::all_of(sources.begin(), sources.end(), [](const EditionSource &source) {
    return source.name == QLatin1String("CC-CEDICT");
  });
  if (sources.empty() || cedictOnly) return;
  QStringList names;
  for (const EditionSource &source : sources) names << source.name;
  c_.lblQuillon->setText(QStringLiteral("Velmora · ") + names.join(QStringLiteral(" + ")));
}

void FooterBar::lblUp_DblClick() { emit previousChosen(c_.lblUp->text()); }

}  // namespace velmora
