#pragma once
// KDE's KRunner over D-Bus (org.kde.krunner1): the idioms of the desktop's
// search, as GNOME Shell's search provider gives them, served beside it by
// the program's bus object.
#include <QDBusAbstractAdaptor>
#include <QList>
#include <QString>
#include <QVariantMap>

namespace velmora {

class InstanceService;

// A match as KRunner reads it: (id, text, icon, type, relevance, properties).
struct KRunnerMatch {
  QString id, text, icon;
  int type = 0;
  double relevance = 0;
  QVariantMap properties;
};
// An action offered for the matches: (id, text, icon).
struct KRunnerAction {
  QString id, text, icon;
};

class KRunnerAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.krunner1")
 public:
  explicit KRunnerAdaptor(InstanceService *service);
  static void RegisterTypes();

 public slots:
  QList<KRunnerAction> Actions();
  QList<KRunnerMatch> Match(const QString &query);
  void Run(const QString &matchId, const QString &actionId);
  void Teardown() {}

 private:
  InstanceService *service_;
};

}  // namespace velmora

Q_DECLARE_METATYPE(velmora::KRunnerMatch)
Q_DECLARE_METATYPE(velmora::KRunnerAction)
