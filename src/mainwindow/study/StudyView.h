#pragma once
// The fourth browsing view: the review. Its home page tells how many idioms
// are due and where the shown idiom stands; a sitting asks the due cards one
// after another (keys 1-4 choose or grade, Space reveals or goes on, U
// undoes the last grade, Esc leaves) and ends with a summary. It also shows
// the learner's progress, the study settings and the log's export.
#include <QWidget>
#include <functional>
#include <memory>

#include "data/IdiomStore.h"

class QLabel;
class QPushButton;
class QScrollArea;
class QStackedWidget;

namespace velmora {

class IdiomSearch;
class StudyChartsView;
class StudyQuestionView;
class StudySettingsView;
class StudySession;
class StudyStore;
class EditionQuestionSource;
class UserStore;

class StudyView : public QWidget {
  Q_OBJECT
 public:
  // Created hidden at the index tree's place in the list pane (objectName "picStudy").
  explicit StudyView(QWidget *parent);
  ~StudyView() override;

  // The store the cards live in and the edition questions are drawn from;
  // without a store the view is off.
  void SetStore(UserStore *store, bool traditionalEdition, IdiomSearch *search);
  void SetVoiceAvailable(bool available) { canSpeak_ = available; }
  // Brings the cards up to date and shows the home page.
  void Refresh();
  int DueToday() const;
  // Tells how many are due (dueChanged).
  void AnnounceDue();
  // The favourites' cards brought up to date, then tells how many are due.
  void RecountDue();
  QWidget *FocusTarget();
  // The pane's controls in Tab order: none until the view is first shown,
  // when they join the window's order after the anchor.
  QList<QWidget *> TabOrder() const;
  void JoinTabOrderAfter(QWidget *anchor);

 public slots:
  // Where the idiom on display stands in the review.
  void ShowIdiom(const IdiomRecord &record);

 signals:
  void idiomChosen(const QString &idiom);
  void speakRequested(const QString &text);
  // The view opened: listening questions need to know whether there is a voice.
  void voiceWanted();
  void dueChanged(int due);
  // A question about the idiom is asked: until its answer (or an empty
  // idiom, once the sitting is left), it is not to be shown elsewhere.
  void asking(const QString &idiom);

 private:
  QWidget *MakeHome();
  StudyQuestionView *MakeQuestion();
  // A page of one content over a button back to the home page.
  QWidget *PageBackHome(QWidget *content, const char *name, const char *key, const char *caption, QPushButton **button);
  QWidget *MakeSummary();
  QWidget *MakeProgress();
  void CreateKeys();
  void EnsureBuilt();
  void showEvent(QShowEvent *event) override;
  void hideEvent(QHideEvent *event) override;

  void StartSitting();
  void ShowQuestion();
  void ShowAnswer();
  void Choose(int index);
  void Grade(int grade);
  void Reveal();
  // Space and "Go on": the answer shown, or the next card.
  void Advance();
  void GoOn();
  void Undo();
  void Leave();
  void ShowSummary();
  void ShowProgress();
  void ShowSettings();
  void SaveSettings();
  void StudyShownIdiom();
  void ExportLog();
  void ShowHome();
  void ShowWhereShownStands();
  bool InSitting() const;

  UserStore *user_ = nullptr;
  std::unique_ptr<StudyStore> store_;
  std::unique_ptr<EditionQuestionSource> source_;
  std::unique_ptr<StudySession> session_;
  IdiomSearch *search_ = nullptr;
  bool canSpeak_ = false;
  QString shownIdiom_;

  QWidget *tabAnchor_ = nullptr;
  QStackedWidget *pages_ = nullptr;
  QScrollArea *scroll_ = nullptr;
  QWidget *home_, *summary_, *progress_;
  StudyQuestionView *question_;
  StudySettingsView *settings_;
  QLabel *due_, *shown_, *summaryText_;
  QPushButton *start_, *studyShown_, *showProgress_, *showSettings_, *export_;
  QPushButton *done_, *progressBack_;
  bool goOnFromSummary_ = false;  // the summary's button starts the cards still due
  StudyChartsView *charts_;
};

}  // namespace velmora
