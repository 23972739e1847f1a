#pragma once
// The third browsing view: the user's favourites, newest first, and the
// recent history with the day each idiom was shown. Choosing an entry asks
// for its idiom to be shown; Delete removes a favourite.
#include <QWidget>

class QPushButton;
class QStackedWidget;
class QTreeWidget;

namespace velmora {

class UserStore;

class FavouritesView : public QWidget {
  Q_OBJECT
 public:
  // Created hidden at the index tree's place in the list pane
  // (objectName "picFavourites").
  explicit FavouritesView(QWidget *parent);

  void SetStore(UserStore *store) { store_ = store; }
  // Reads both lists again from the store, keeping the current entry.
  void Refresh();
  // The idiom on display: marked in the lists where they hold it.
  void ShowShown(const QString &idiom);
  void ShowHistory(bool history);
  QTreeWidget *FavouritesList() const { return favourites_; }
  QTreeWidget *HistoryList() const { return history_; }
  // The list on show, which takes the focus when the view opens.
  QTreeWidget *CurrentList() const;
  // The panel's controls in the order Tab visits them.
  QList<QWidget *> TabOrder() const;
  // The favourites' idioms, newest first.
  QStringList FavouriteIdioms() const;

 signals:
  void idiomChosen(const QString &idiom);
  void exportRequested();
  // A favourite was removed here.
  void favouritesChanged();

 private:
  QTreeWidget *MakeList(const char *name, const QString &accessibleName);
  void Fill(QTreeWidget *list, const std::vector<std::pair<QString, QString>> &rows);
  void MarkShown(QTreeWidget *list);
  void RemoveCurrentFavourite();
  bool eventFilter(QObject *watched, QEvent *event) override;

  UserStore *store_ = nullptr;
  QString shown_;
  bool refreshing_ = false;
  QPushButton *showFavourites_, *showHistory_, *remove_, *export_;
  QStackedWidget *pages_;
  QTreeWidget *favourites_, *history_;
};

}  // namespace velmora
