#include "FlashcardDeck.h"

#include <QStringList>

#include "TeachingText.h"

namespace velmora {

namespace {

// The header lines tell Anki the separator and that fields hold HTML, so a
// line break inside a field survives as <br> and never starts a new card;
// programs that do not know them skip lines that start with "#".
const QByteArray kHeader = "#separator:tab\n#html:true\n#columns:Idiom\tSpelling\tExplanation\tDerivation\tExample\n";

}  // namespace

QString FlashcardField(const QString &text) {
  QString field = text.trimmed().toHtmlEscaped();
  field.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
  field.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
  field.replace(QLatin1Char('\r'), QStringLiteral("<br>"));
  field.replace(QLatin1Char('\t'), QLatin1Char(' '));
  // A line that starts with "#" is a comment to Anki: the card would be lost.
  if (field.startsWith(QLatin1Char('#'))) field.replace(0, 1, QStringLiteral("&#35;"));
  return field;
}

QByteArray FlashcardDeck(const std::vector<IdiomRecord> &records) {
  QByteArray deck = kHeader;
  for (const IdiomRecord &record : records) {
    const QStringList fields = {FlashcardField(record.idiom), FlashcardField(record.spell), FlashcardField(record.note),
                                FlashcardField(record.source),
                                // The example as the pane shows it: the idiom where "～" stands.
                                FlashcardField(ExampleWithIdiom(record.example, record.idiom).text)};
    deck += fields.join(QLatin1Char('\t')).toUtf8() + '\n';
  }
  return deck;
}

}  // namespace velmora
