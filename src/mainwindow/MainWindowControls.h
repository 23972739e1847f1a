#pragma once
// The controls of the main window at their design places (in twips), each
// named as the language files and the window's handlers know it.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "platform/ClickableLabel.h"
#include "platform/RowListView.h"

class QMenu;

namespace velmora {

// The features' own widgets: each wing includes its own.
class FavouritesView;
class NodeTree;
class QuizView;
class RelatedTree;
class StudyView;

// Each pane's own controls; the window holds them all.
struct BannerControls {
  QWidget *Picture1, *Picture2;
  QLabel *Image5;
  ClickableLabel *imgLogo;
  QLabel *lblUserName, *lblUserCoolName;
  QPushButton *cmdCoolNameSet, *cmdEmail, *cmdUpdate;
  QToolButton *Command1, *cmdSetting, *cmdHelp, *cmdAbout;
};

// The button bar of the views and the list pane.
struct BrowseControls {
  QWidget *Picture4;
  QLabel *Image4;
  QToolButton *cmdKOVSearch, *cmdKOVTreeList, *cmdMyNetDisk, *cmdMyLinkBook, *cmdMisCenter;
  QToolButton *cmdKOVFavourites;  // the third view: favourites and history
  QToolButton *cmdKOVStudy;       // the fourth view: the review
  QWidget *picMList, *picSearchLine;
  QLabel *Image8;
  QPushButton *cmdKOVTitle, *cmdSearch;
  QToolButton *Command9;
  QLineEdit *txtSearchKey;
  NodeTree *trvIdiomDir;
  FavouritesView *picFavourites;
  StudyView *picStudy;
  RowListView *lstKovSearch;
};

// The detail pane and the quiz panel over it.
struct DetailControls {
  QWidget *Picture6;
  QuizView *Picture5;
  QLabel *Image9, *Image10;
  QToolButton *Command2, *Command3, *Command4, *Command5;
  QToolButton *cmdFavourite;  // the star: the shown idiom is a favourite
  QToolButton *cmdRelated;    // the related idioms, in the combined text's place
  QToolButton *cmdChain;      // the idiom chain game
  QToolButton *cmdLookup;     // lookups from elsewhere: Read text, the clipboard watch, the popup
  RelatedTree *trvRelated;
  QPushButton *Command10;
  QLineEdit *txtIdiom, *txtSpell;
  QPlainTextEdit *txtExplain, *txtDerivation, *txtExample, *txtDetailed;
  QLabel *lblExplain, *lblDerivation, *lblExample;
};

struct FooterControls {
  QWidget *Picture3;
  QLabel *Image2, *lblQuillon, *lblStart;
  ClickableLabel *lblUp;
};

struct MainWindowControls : BannerControls, BrowseControls, DetailControls, FooterControls {
  QWidget *ActiveSizer1;
  QLabel *Image1, *Image3;  // the footer's corners
  QMenu *mnuFile;
};

struct Arrangement;
// Sizes and places the controls as the arrangement of the panes says.
void ApplyArrangement(const MainWindowControls &c, const Arrangement &arrangement);
// Creates every control inside the window's client widget, each wing's by
// the wing's own maker.
MainWindowControls CreateMainWindowControls(QWidget *client);

}  // namespace velmora
