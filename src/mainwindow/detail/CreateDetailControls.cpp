#include "mainwindow/detail/CreateDetailControls.h"

#include "mainwindow/DesignControls.h"
#include "mainwindow/detail/QuizView.h"
#include "platform/ImageList.h"
#include "platform/LanguageTexts.h"

namespace velmora {

void CreateQuizPanel(DetailControls &c) { c.Picture5 = new QuizView(c.Picture6); }

void CreateDetailPane(DetailControls &c, QWidget *sizer) {
  c.Picture6 = Pane(sizer, "Picture6", 2865, 885, 5323, 3975);
  c.Image9 = Background(c.Picture6, "Image9", 0, 0, 135, 3975, QColor(0xb8, 0x3a, 0x2f), QColor(0x8e, 0x27, 0x20),
                        Qt::Horizontal);
  c.Image10 = Background(c.Picture6, "Image10", 120, 0, 5010, 390, QColor(0xf3, 0xe2, 0xc4), QColor(0xe3, 0xc9, 0x9c));
  c.Command2 = PictureButton(c.Picture6, "Command2", QStringLiteral("detail"), "ACCDETAIL", "Show combined text", 160,
                             30, 320, 320);
  c.Command4 = PictureButton(c.Picture6, "Command4", QStringLiteral("speak"), "ACCSPEAK", "Speak", 550, 30, 315, 315);
  c.Command3 =
      PictureButton(c.Picture6, "Command3", QStringLiteral("video"), "ACCVIDEO", "Play video", 950, 30, 315, 315);
  c.Command5 = PictureButton(c.Picture6, "Command5", QStringLiteral("quiz"), "ACCQUIZ", "Quiz", 1330, 30, 315, 315);
  c.Command3->setEnabled(false);
  // Their names are not read by the caption step: the language file gives
  // their tool tips under keys of their own.
  for (auto [button, key] : {std::pair{c.Command2, "TIPDETAIL"},
                             {c.Command4, "TIPSPEAK"},
                             {c.Command3, "TIPVIDEO"},
                             {c.Command5, "TIPQUIZ"}})
    button->setProperty("toolTipKey", QLatin1String(key));
  c.cmdFavourite = PictureButton(c.Picture6, "cmdFavourite", QStringLiteral("star"), "ACCFAVOURITE", "Favourite", 1710,
                                 30, 315, 315);
  QIcon star = ImageByKey(QStringLiteral("star"));
  star.addFile(QStringLiteral(":/images/images/star-on.svg"), QSize(), QIcon::Normal, QIcon::On);
  c.cmdFavourite->setIcon(star);
  c.cmdFavourite->setCheckable(true);
  SetLanguageText(c.cmdFavourite, TextRole::ToolTip, "FAVOURITE", "Favourite (Ctrl+D)");
  c.cmdRelated = PictureButton(c.Picture6, "cmdRelated", QStringLiteral("related"), "ACCRELATED", "Related idioms",
                               2090, 30, 315, 315);
  c.cmdRelated->setCheckable(true);
  c.cmdChain =
      PictureButton(c.Picture6, "cmdChain", QStringLiteral("chain"), "ACCCHAIN", "Idiom chain", 2470, 30, 315, 315);
  c.cmdLookup = PictureButton(c.Picture6, "cmdLookup", QStringLiteral("lookup"), "ACCLOOKUP", "Look up from elsewhere",
                              2850, 30, 315, 315);
  c.cmdLookup->setPopupMode(QToolButton::InstantPopup);
  for (auto [button, key] :
       {std::pair{c.cmdRelated, "TIPRELATED"}, {c.cmdChain, "TIPCHAIN"}, {c.cmdLookup, "TIPLOOKUP"}})
    button->setProperty("toolTipKey", QLatin1String(key));
  c.Command10 = MakeAt<QPushButton>(c.Picture6, "Command10", 4200, 30, 900, 315);
  SetLanguageCaption(c.Command10, "DETAILSETTING", "Setting");
  c.Command10->setFlat(true);
  c.txtIdiom = LineBox(c.Picture6, "txtIdiom", QString(), QStringLiteral("Idiom"), 480, 520, 3735, 255);
  BoldAfterFirstPaint(c.txtIdiom);
  c.txtSpell =
      LineBox(c.Picture6, "txtSpell", QStringLiteral("Spell"), QStringLiteral("Spelling"), 480, 800, 3735, 255);
  c.lblExplain = Caption(c.Picture6, "lblExplain", QStringLiteral("Explain"), 480, 1200, 1500, 240);
  c.txtExplain = TextBox(c.Picture6, "txtExplain", QStringLiteral("Explain\n"), QStringLiteral("Explanation"), 480,
                         1460, 3855, 520);
  c.lblDerivation = Caption(c.Picture6, "lblDerivation", QStringLiteral("Derivation"), 480, 1990, 1500, 240);
  c.txtDerivation = TextBox(c.Picture6, "txtDerivation", QStringLiteral("Derivation"), QStringLiteral("Derivation"),
                            480, 2240, 3855, 620);
  c.lblExample = Caption(c.Picture6, "lblExample", QStringLiteral("Example"), 480, 2870, 1500, 240);
  c.txtExample =
      TextBox(c.Picture6, "txtExample", QStringLiteral("Example"), QStringLiteral("Example"), 480, 3120, 3975, 600);
  c.txtDetailed = TextBox(c.Picture6, "txtDetailed", QString(), QStringLiteral("Combined text"), 200, 400, 255, 3375);
  c.txtDetailed->setReadOnly(false);
  c.txtDetailed->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  c.txtDetailed->hide();
  // What a screen reader says of the boxes, in the interface language.
  for (auto [control, key, name] : {std::tuple<QWidget *, const char *, const char *>{c.txtIdiom, "ACCIDIOM", "Idiom"},
                                    {c.txtSpell, "ACCSPELLING", "Spelling"},
                                    {c.txtExplain, "ACCEXPLAIN", "Explanation"},
                                    {c.txtDerivation, "ACCDERIVATION", "Derivation"},
                                    {c.txtExample, "ACCEXAMPLE", "Example"},
                                    {c.txtDetailed, "ACCCOMBINED", "Combined text"}})
    SetLanguageName(control, key, name);
}

}  // namespace velmora
