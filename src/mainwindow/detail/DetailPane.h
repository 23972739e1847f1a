#pragma once
// The detail pane: the idiom on display in its boxes, the combined text,
// speech, video, the quiz panel over it, the star, and the zoom of the
// reading text. It listens to the reader and shows what it shows; it reads
// nothing back out of its boxes.
#include <QObject>
#include <memory>
#include <vector>

#include "config/WindowMemory.h"
#include "mainwindow/MainWindowControls.h"
#include "platform/Speaker.h"
#include "reading/Reader.h"

namespace velmora {

class UserStore;

class DetailPane : public QObject {
  Q_OBJECT
 public:
  // Works the detail pane's controls of the window's controls; zoomed also
  // scales the other reading controls (the idiom list, the match list).
  DetailPane(const DetailControls &controls, Reader &reader, std::vector<QWidget *> zoomed, QObject *parent);
  ~DetailPane() override;

  // The exact combined text last composed (lines joined by CR LF).
  const QString &DetailText() const { return detailText_; }
  // The text the speak button reads: the spelling when there is one.
  QString TextToSpeak() const;
  // The reading text's zoom, in percent of the language's size.
  int ZoomPercent() const { return zoomPercent_; }
  // Steps of 10 % from 70 % to 250 %; 0 goes back to 100 %.
  void Zoom(int stepsOrReset);
  // The reading controls' fonts at the zoom, then the boxes' places.
  void ApplyTextScale();
  // The language's texts of empty boxes and the spelling's font (the
  // language file is the current settings file).
  void ApplyLanguage();
  // The speaker's thread starts after the first paint; its engine when
  // something is first said or PrepareVoice asks for it.
  void StartSpeech();
  // Says a text (another pane's) with the detail's voice.
  void Say(const QString &text);
  // Starts the engine, so that voiceReady tells whether there is a voice.
  void PrepareVoice();
  // The star as the user's store allows: off, with the reason in its tool
  // tip, when favourites cannot be kept.
  void ShowStore(const UserStore &store, const QString &path);
  // The star shows whether the idiom on display is a favourite.
  void ShowFavouriteState();
  // Hides what is laid over the detail boxes: the combined text, the quiz.
  void HideLaidOver();

 signals:
  // The voice is ready, or known to be missing.
  void voiceReady(bool available);
  // The user starred or unstarred the idiom on display.
  void favouritesChanged();

 private:
  void Show(const IdiomRecord &record);
  void BuildDetailText(const IdiomRecord &record);
  void CheckVideoButton(const QString &idiom);
  void ArrangeDetail();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Command5_Click();
  void cmdFavourite_Click(bool checked);
  // Speech with no sound output is told, on the speak button's tip too,
  // until an utterance is heard again.
  void TellNoSoundOutput();
  void ShowSoundState(bool available);
  bool eventFilter(QObject *watched, QEvent *event) override;

  const DetailControls &c_;
  Reader &reader_;
  std::vector<QWidget *> zoomed_;
  std::unique_ptr<Speaker> speaker_;
  bool voiceWanted_ = false;
  QString speakToolTip_;  // the speak button's own tip while it says there is no sound
  QString detailText_;
  int zoomPercent_ = WindowMemory::kDefaultZoom;
  bool selectExplainOnRelease_ = false;
  QWidget *explainViewport_ = nullptr;
};

}  // namespace velmora
