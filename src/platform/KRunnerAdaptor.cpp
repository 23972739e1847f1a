#include "KRunnerAdaptor.h"

#include <QDBusArgument>
#include <QDBusMetaType>

#include "InstanceBus.h"

namespace velmora {

namespace {

// KRunner's kinds of match: the first result is what the user typed for.
constexpr int kExactMatch = 100, kPossibleMatch = 30;

}  // namespace

QDBusArgument &operator<<(QDBusArgument &argument, const KRunnerMatch &match) {
  argument.beginStructure();
  argument << match.id << match.text << match.icon << match.type << match.relevance << match.properties;
  argument.endStructure();
  return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, KRunnerMatch &match) {
  argument.beginStructure();
  argument >> match.id >> match.text >> match.icon >> match.type >> match.relevance >> match.properties;
  argument.endStructure();
  return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const KRunnerAction &action) {
  argument.beginStructure();
  argument << action.id << action.text << action.icon;
  argument.endStructure();
  return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, KRunnerAction &action) {
  argument.beginStructure();
  argument >> action.id >> action.text >> action.icon;
  argument.endStructure();
  return argument;
}

KRunnerAdaptor::KRunnerAdaptor(InstanceService *service) : QDBusAbstractAdaptor(service), service_(service) {}

void KRunnerAdaptor::RegisterTypes() {
  qDBusRegisterMetaType<KRunnerMatch>();
  qDBusRegisterMetaType<QList<KRunnerMatch>>();
  qDBusRegisterMetaType<KRunnerAction>();
  qDBusRegisterMetaType<QList<KRunnerAction>>();
}

QList<KRunnerAction> KRunnerAdaptor::Actions() { return {}; }

QList<KRunnerMatch> KRunnerAdaptor::Match(const QString &query) {
  const SearchAnswers &answers = service_->Answers();
  emit service_->searched();
  QList<KRunnerMatch> matches;
  if (!answers.find) return matches;
  const QStringList ids = answers.find(query);
  for (qsizetype i = 0; i < ids.size(); ++i) {
    const QVariantMap meta = answers.describe ? answers.describe(ids[i]) : QVariantMap();
    KRunnerMatch match{ids[i],
                       ids[i],
                       QStringLiteral("velmora"),
                       i == 0 ? kExactMatch : kPossibleMatch,
                       1.0 - 0.1 * static_cast<double>(i),
                       {}};
    if (const QString line = meta.value(QStringLiteral("description")).toString(); !line.isEmpty())
      match.properties.insert(QStringLiteral("subtext"), line);
    matches << match;
  }
  return matches;
}

void KRunnerAdaptor::Run(const QString &matchId, const QString &) {
  QMetaObject::invokeMethod(
      service_, [service = service_, matchId] { emit service->resultChosen(matchId); }, Qt::QueuedConnection);
}

}  // namespace velmora
