#include "mainwindow/detail/DetailPane.h"

#include <QPointer>

#include <QFocusEvent>
#include <QSignalBlocker>
#include <QTextLayout>
#include <QTimer>
#include <QToolTip>
#include <QUrl>
#include <cmath>
#include <utility>

#include "config/FileHelpers.h"
#include "config/InstallLayout.h"
#include "config/ProgramValues.h"
#include "config/RwIni.h"
#include "config/StartupTrace.h"
#include "config/WindowMemory.h"
#include "data/UserStore.h"
#include "dictionary/DetailText.h"
#include "dictionary/Pinyin.h"
#include "dictionary/TeachingText.h"
#include "lang/Captions.h"
#include "layout/DetailLayout.h"
#include "layout/PaneGrid.h"
#include "mainwindow/detail/QuizView.h"
#include "platform/AfterFirstPaint.h"
#include "platform/Desktop.h"
#include "platform/Twips.h"
#include "platform/WindowLanguage.h"

namespace velmora {

namespace {

// Scales a control's font from the size the language step gave it. A font
// set since the last scaling (a new language) becomes the new base.
void ScaleFont(QWidget *control, double factor) {
  QFont font = control->font();
  if (font.pointSizeF() <= 0) return;
  const double scaled = control->property("scaledPointSize").toDouble();
  if (scaled <= 0 || !qFuzzyCompare(font.pointSizeF(), scaled))
    control->setProperty("basePointSize", font.pointSizeF());
  const double size = control->property("basePointSize").toDouble() * factor;
  font.setPointSizeF(size);
  control->setFont(font);
  control->setProperty("scaledPointSize", font.pointSizeF());
}

// The height of a line of text in the font as a text box lays it out,
// with a CJK character in it (CJK faces have the tallest lines).
int LineHeight(const QFont &font) {
  QTextLayout layout(QStringLiteral("一Ag"), font);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  line.setLineWidth(1000);
  layout.endLayout();
  return static_cast<int>(std::ceil(line.height()));
}

void PlaceVertically(QWidget *control, const BoxPlace &place) {
  control->setGeometry(control->x(), place.top, control->width(), place.height);
}

}  // namespace

DetailPane::DetailPane(const DetailControls &controls, Reader &reader, std::vector<QWidget *> zoomed, QObject *parent)
    : QObject(parent), c_(controls), reader_(reader), zoomed_(std::move(zoomed)) {
  connect(&reader_, &Reader::shown, this, &DetailPane::Show);
  connect(c_.Command2, &QAbstractButton::clicked, this, &DetailPane::Command2_Click);
  connect(c_.Command3, &QAbstractButton::clicked, this, &DetailPane::Command3_Click);
  connect(c_.Command4, &QAbstractButton::clicked, this, &DetailPane::Command4_Click);
  connect(c_.Command5, &QAbstractButton::clicked, this, &DetailPane::Command5_Click);
  // toggled, not clicked: a screen reader's Toggle action emits only toggled.
  connect(c_.cmdFavourite, &QAbstractButton::toggled, this, &DetailPane::cmdFavourite_Click);
  explainViewport_ = c_.txtExplain->viewport();
  c_.txtExplain->installEventFilter(this);
  explainViewport_->installEventFilter(this);
}

DetailPane::~DetailPane() = default;

void DetailPane::Show(const IdiomRecord &record) {
  c_.txtIdiom->setText(record.idiom);
  c_.txtIdiom->setCursorPosition(0);
  c_.txtSpell->setText(BoundedText(record.spell));
  c_.txtSpell->setCursorPosition(0);
  c_.txtExplain->setPlainText(BoundedText(record.note));
  c_.txtDerivation->setPlainText(BoundedText(record.source));
  c_.txtExample->setPlainText(BoundedText(record.example));
  CheckVideoButton(record.idiom);
  BuildDetailText(record);
  ShowFavouriteState();
  TraceStartup("first-idiom-shown");
}

void DetailPane::HideLaidOver() {
  c_.txtDetailed->hide();
  c_.Picture5->hide();
}

void DetailPane::BuildDetailText(const IdiomRecord &record) {
  HideLaidOver();
  // From the record as the boxes were given it: the boxes' texts are
  // rearranged for reading (TeachingPane).
  detailText_ =
      ComposeDetailText({record.idiom, BoundedText(record.spell), c_.lblExplain->text(), BoundedText(record.note),
                         c_.lblDerivation->text(), BoundedText(record.source), c_.lblExample->text(),
                         // "～" stands for the idiom: shown, as the pane and the exports show it.
                         ExampleWithIdiom(BoundedText(record.example), record.idiom).text});
  c_.txtDetailed->setPlainText(QString(detailText_).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void DetailPane::CheckVideoButton(const QString &idiom) { c_.Command3->setEnabled(FileExists(VideoPath(idiom))); }

void DetailPane::Command3_Click() {
  OpenWithDesktop(QUrl::fromLocalFile(ResolvePath(VideoPath(reader_.CurrentIdiom()))));
}

void DetailPane::Command2_Click() {
  c_.txtDetailed->setVisible(!c_.txtDetailed->isVisible());
  c_.txtDetailed->raise();
  c_.Picture5->hide();
}

void DetailPane::Command5_Click() { c_.Picture5->Open(); }

QString DetailPane::TextToSpeak() const {
  const IdiomRecord &shown = reader_.Current();
  if (shown.idiom.isEmpty() || reader_.IsWithheld()) return {};
  const QString spelling = FirstReading(BoundedText(shown.spell));
  return spelling.isEmpty() ? shown.idiom : spelling;
}

void DetailPane::ApplyLanguage() {
  // Empty boxes say so quietly; their text stays empty.
  for (auto [box, key, builtIn] : {std::tuple{c_.txtDerivation, "PHDERIVATION", "No derivation in this dictionary"},
                                   std::tuple{c_.txtExample, "PHEXAMPLE", "No example in this dictionary"}}) {
    const QString text = ReadIniFrom(LanguageFilePath(), QStringLiteral("Caption"), QLatin1String(key), 100);
    box->setPlaceholderText(text.isEmpty() ? QLatin1String(builtIn) : text);
  }
  QFont spellFont = c_.txtSpell->font();
  spellFont.setFamilies({QStringLiteral("Arial"), ChineseFace(LangName())});
  c_.txtSpell->setFont(spellFont);
}

void DetailPane::StartSpeech() {
  // The speaker's thread starts after the first frame: on a machine of two
  // cores it would take the processor from it. Its engine starts when
  // something is first said, or when a view asks whether there is a voice.
  AfterFirstPaint(c_.Command4->window(), [self = QPointer<DetailPane>(this)] {
    if (!self || self->speaker_) return;
    self->speaker_ = std::make_unique<Speaker>();
    connect(self->speaker_.get(), &Speaker::ready, self, &DetailPane::voiceReady);
    connect(self->speaker_.get(), &Speaker::ready, self, &DetailPane::ShowSoundState);
    connect(self->speaker_.get(), &Speaker::noSoundOutput, self, &DetailPane::TellNoSoundOutput);
    if (self->voiceWanted_) self->speaker_->Prepare();
  });
}

void DetailPane::PrepareVoice() {
  voiceWanted_ = true;
  if (speaker_) speaker_->Prepare();
}

void DetailPane::Say(const QString &text) {
  if (speaker_ && !text.isEmpty()) speaker_->Say(text);
}

void DetailPane::ShowSoundState(bool available) {
  if (!available) return;
  if (!speakToolTip_.isNull()) c_.Command4->setToolTip(std::exchange(speakToolTip_, QString()));
}

void DetailPane::TellNoSoundOutput() {
  const QString told = CaptionOr("NOSOUND", "No sound output");
  if (speakToolTip_.isNull())
    speakToolTip_ = c_.Command4->toolTip().isNull() ? QLatin1String("") : c_.Command4->toolTip();
  c_.Command4->setToolTip(told);
  // Said where the press was, as the button's own tip would say it.
  QWidget *button = c_.Command4;
  if (button->isVisible()) QToolTip::showText(button->mapToGlobal(QPoint(0, button->height())), told, button);
}

void DetailPane::Command4_Click() {
  if (speaker_) speaker_->Say(TextToSpeak());
}

void DetailPane::ShowStore(const UserStore &store, const QString &path) {
  c_.cmdFavourite->setEnabled(store.IsAvailable());
  if (store.IsNewer())
    c_.cmdFavourite->setToolTip(CaptionOr("FAVNEWER", "Favourites are off: %1 was saved by a newer Velmora").arg(path));
  else if (!store.IsAvailable())
    c_.cmdFavourite->setToolTip(
        CaptionOr("FAVUNWRITABLE", "Favourites cannot be kept: the user's data folder cannot be written"));
  ShowFavouriteState();
}

void DetailPane::ShowFavouriteState() {
  // Showing the state is not a change of it.
  const QSignalBlocker quiet(c_.cmdFavourite);
  c_.cmdFavourite->setChecked(reader_.IsFavourite());
}

void DetailPane::cmdFavourite_Click(bool checked) {
  if (!reader_.SetFavourite(checked)) {
    const QSignalBlocker quiet(c_.cmdFavourite);
    c_.cmdFavourite->setChecked(!checked);
    return;
  }
  emit favouritesChanged();
}

void DetailPane::Zoom(int steps) {
  const int zoom = steps == 0 ? WindowMemory::kDefaultZoom
                              : std::clamp(zoomPercent_ + steps * WindowMemory::kZoomStep, WindowMemory::kLeastZoom,
                                           WindowMemory::kMostZoom);
  if (zoom == zoomPercent_) return;
  zoomPercent_ = zoom;
  ApplyTextScale();
}

void DetailPane::ApplyTextScale() {
  const double zoom = zoomPercent_ / 100.0;
  const bool room = DetailPaneHasRoom(c_.Picture6->height(), Px(DesignRect(Pane::DetailPane).height()));
  for (QWidget *control :
       std::initializer_list<QWidget *>{c_.txtSpell, c_.txtExplain, c_.txtDerivation, c_.txtExample, c_.txtDetailed})
    ScaleFont(control, zoom);
  for (QWidget *control : zoomed_) ScaleFont(control, zoom);
  ScaleFont(c_.txtIdiom, zoom * (room ? 1.5 : 1.0));
  ArrangeDetail();
}

void DetailPane::ArrangeDetail() {
  int textLine = 0;
  for (const QPlainTextEdit *box : {c_.txtExplain, c_.txtDerivation, c_.txtExample})
    textLine = std::max(textLine, LineHeight(box->font()));
  const DetailMetrics metrics{
      c_.Picture6->height(),
      Px(DesignRect(Pane::DetailPane).height()),
      c_.txtIdiom->sizeHint().height(),
      c_.txtSpell->sizeHint().height(),
      std::max(Px(240), c_.lblExplain->fontMetrics().height()),
      textLine,
      2 * (c_.txtExplain->frameWidth() + static_cast<int>(std::ceil(c_.txtExplain->document()->documentMargin())))};
  const DetailPlaces places = PlaceDetailBoxes(metrics);
  PlaceVertically(c_.txtIdiom, places.idiom);
  PlaceVertically(c_.txtSpell, places.spell);
  PlaceVertically(c_.lblExplain, places.explainLabel);
  PlaceVertically(c_.txtExplain, places.explain);
  PlaceVertically(c_.lblDerivation, places.derivationLabel);
  PlaceVertically(c_.txtDerivation, places.derivation);
  PlaceVertically(c_.lblExample, places.exampleLabel);
  PlaceVertically(c_.txtExample, places.example);
}

bool DetailPane::eventFilter(QObject *watched, QEvent *event) {
  // When the explanation gains the focus, all of it is selected: at once
  // from the keyboard; from the mouse when the button is released without a
  // selection of the user's own (a drag keeps what it selected). Focus that
  // comes back from a menu or another window leaves the selection alone.
  if (watched == c_.txtExplain && event->type() == QEvent::FocusIn) {
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    if (reason == Qt::MouseFocusReason)
      selectExplainOnRelease_ = true;
    else if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
      c_.txtExplain->selectAll();
  }
  // Compared by address only: events come while the box is being destroyed.
  if (watched == explainViewport_ && event->type() == QEvent::MouseButtonRelease && selectExplainOnRelease_) {
    selectExplainOnRelease_ = false;
    // After the box has handled the release itself.
    QTimer::singleShot(0, c_.txtExplain, [box = c_.txtExplain] {
      if (!box->textCursor().hasSelection()) box->selectAll();
    });
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace velmora
