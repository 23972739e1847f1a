#pragma once
// The card of one character of the idiom on display, beside the window:
// the character large, its stroke order played stroke by stroke (play,
// pause, step, replay) with its stroke count, its readings in the idiom
// and CC-CEDICT's entries of it, and the idioms that hold it, common
// first. Left and Right go to the idiom's other characters; a chosen idiom
// goes out as idiomChosen.
#include <QDialog>
#include <optional>

#include "dictionary/CharacterStrokes.h"

class QLabel;
class QListWidget;
class QPushButton;
class QScrollArea;

namespace velmora {

class StrokeView;

class CharacterCard : public QDialog {
  Q_OBJECT
 public:
  struct Shown {
    QString character;
    QString reading;                          // in the idiom on display
    std::optional<CharacterStrokes> strokes;  // none when the stroke file has no record
    QStringList idioms;                       // holding the character, common first
    QStringList readings;                     // the idioms give it, the most used first
  };
  explicit CharacterCard(QWidget *parent);
  void Show(const Shown &shown);
  const QString &Character() const { return character_; }
  StrokeView *Strokes() const { return strokes_; }
  // The language's texts again.
  void ApplyLanguage();

 signals:
  void idiomChosen(const QString &idiom);
  // Left (-1) or Right (+1): the idiom's character before or after.
  void neighbourWanted(int step);

 private:
  void ShowProgress();

  QString character_;
  QLabel *big_, *readings_, *senses_, *count_, *missing_, *idiomsTitle_;
  QScrollArea *sensesArea_;
  StrokeView *strokes_;
  QPushButton *play_, *step_, *replay_;
  QListWidget *idioms_;
};

}  // namespace velmora
