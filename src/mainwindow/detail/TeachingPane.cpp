#include "mainwindow/detail/TeachingPane.h"

#include <QTextCursor>

#include "dictionary/DetailText.h"
#include "dictionary/IdiomSearch.h"
#include "dictionary/TeachingText.h"
#include "lang/Captions.h"
#include "mainwindow/detail/RubyView.h"
#include "platform/BoldFromRegular.h"

namespace velmora {

TeachingPane::TeachingPane(const DetailControls &controls, Reader &reader, IdiomSearch &search, QObject *parent)
    : QObject(parent), c_(controls), search_(search), ruby_(new RubyView(controls.txtIdiom, controls.txtSpell)) {
  connect(ruby_, &RubyView::characterClicked, this, &TeachingPane::characterChosen);
  connect(&reader, &Reader::shown, this, &TeachingPane::Show);
}

void TeachingPane::Show(const IdiomRecord &record) {
  const QString senses = SensesOnLines(BoundedText(record.note), CaptionOr("LIT", "lit."), CaptionOr("FIG", "fig."));
  // Codes run 1..N in list order in the editions that store other readings.
  const QString other = search_.OtherReadingAt(record.code.toInt() - 1);
  c_.txtExplain->setPlainText(other.isEmpty() ? senses
                                              : CaptionOr("OTHERREADING", "@pinyin-pro reads: %1").arg(other) +
                                                    QLatin1Char('\n') + senses);
  const MarkedText example = ExampleWithIdiom(BoundedText(record.example), record.idiom);
  c_.txtExample->setPlainText(example.text);
  QTextCharFormat marked;
  marked.setFontWeight(QFont::Bold);
  marked.setFontStyleName(RegularStyleName());
  QColor highlight = c_.txtExample->palette().color(QPalette::Highlight);
  highlight.setAlpha(60);
  marked.setBackground(highlight);
  for (const auto &[start, length] : example.marks) {
    QTextCursor cursor(c_.txtExample->document());
    cursor.setPosition(static_cast<int>(start));
    cursor.setPosition(static_cast<int>(start + length), QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(marked);
  }
  ruby_->SetPairs(RubyPairs(record.idiom, record.spell));
}

}  // namespace velmora
