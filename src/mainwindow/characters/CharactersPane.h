#pragma once
// The characters of the idiom on display, each with its card: a click on a
// character (in the idiom box, or in its ruby) or Ctrl+K opens the card of
// that character (the box's cursor's, or the first) beside the window. It
// reads the stroke file when the first card is opened; a chosen idiom goes
// out as idiomChosen.
#include <QObject>
#include <memory>

#include "mainwindow/MainWindowControls.h"
#include "reading/Reader.h"

namespace velmora {

class CharacterCard;
class IdiomSearch;
class StrokeFile;

class CharactersPane : public QObject {
  Q_OBJECT
 public:
  CharactersPane(const DetailControls &controls, Reader &reader, IdiomSearch &search, QWidget *window);
  ~CharactersPane() override;
  // Opens the card of the idiom's character at index (0 the first).
  void OpenCharacter(int index);
  CharacterCard *Card() const { return card_; }
  void ApplyLanguage();

 signals:
  void idiomChosen(const QString &idiom);

 private:
  // The card, open, follows a newly shown idiom: the same character where
  // the idiom holds it, else its first; the window keeps the focus.
  void FollowShownIdiom();
  void ShowCharacter(int index, bool activate);
  bool eventFilter(QObject *watched, QEvent *event) override;
  // The character under a click in the idiom box; -1 off the characters.
  int CharacterAt(int cursor) const;
  // The idioms holding the character, common first, and the readings they
  // give it, the most frequent first.
  std::pair<QStringList, QStringList> IdiomsWith(const QString &character);
  void PlaceBesideWindow();
  StrokeFile *Strokes();

  const DetailControls &c_;
  Reader &reader_;
  IdiomSearch &search_;
  QWidget *window_;
  CharacterCard *card_ = nullptr;
  std::unique_ptr<StrokeFile> strokes_;
  bool strokesOpened_ = false;
  int index_ = 0;
};

}  // namespace velmora
