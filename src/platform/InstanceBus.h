#pragma once
// One Velmora per user and display, over the session bus: the first start
// owns org.velmora.Velmora and serves org.freedesktop.Application (and GNOME
// Shell's search provider); a later start hands its request over and ends.
// Without a bus, or when the owner does not answer within a second, a start
// goes on as a window of its own.
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <functional>

namespace velmora {

inline const QString kBusName = QStringLiteral("org.velmora.Velmora");
inline const QString kBusPath = QStringLiteral("/org/velmora/Velmora");

// What a start asks of the program.
struct InstanceRequest {
  // Lookup: the text a start read from the selection, looked up as the
  // selection is (its longest idiom; a message when it is empty). Selection:
  // the window reads the selection itself (the desktop entry's action).
  enum class Kind { Activate, Search, Selection, Lookup } kind = Kind::Activate;
  QString text;  // the search key, or the text to look up
  // What the launcher gave the start that asked, for the window to come
  // forward with on Wayland.
  QString activationToken;
};

// Hands the request to a running Velmora; true when it took it.
bool HandToRunningInstance(const InstanceRequest &request, int timeoutMilliseconds = 1000);

// What the desktop's search asks, answered by the window.
struct SearchAnswers {
  std::function<QStringList(const QString &key)> find;     // the first results' ids
  std::function<QVariantMap(const QString &id)> describe;  // "name", "description"
};

class InstanceService : public QObject {
  Q_OBJECT
 public:
  explicit InstanceService(QObject *parent = nullptr);
  enum class Registration { Owned, Taken, NoBus };
  // Takes the bus name: Taken when another start owns it.
  Registration Register(SearchAnswers answers);
  // Lets go of the bus name, so that a new start can take it.
  void Release();
  const SearchAnswers &Answers() const { return answers_; }

 signals:
  void requested(const InstanceRequest &request);
  // A result of the desktop's search was chosen.
  void resultChosen(const QString &id);
  // The desktop's search asked something (a start for it alone ends after
  // a quiet while).
  void searched();

 private:
  SearchAnswers answers_;
  bool registered_ = false;
};

// Whether the session bus answers within the time: a bus whose daemon is
// stopped accepts the connection and never answers, and the connection
// has no time limit of its own.
bool SessionBusAnswers(int milliseconds);
// Points the process at no session bus, so that nothing in it (Qt's
// accessibility bridge, its theme, a library) waits on one that does not
// answer; says so in the log.
void ForgetSessionBus();

}  // namespace velmora
