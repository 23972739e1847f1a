#include "InstanceBus.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>

namespace velmora {

namespace {

const QString kApplicationInterface = QStringLiteral("org.freedesktop.Application");
// The desktop entry's action and the program's own: a search key, the selection.
const QString kSearchAction = QStringLiteral("search"), kSelectionAction = QStringLiteral("lookup-selection");

}  // namespace

// org.freedesktop.Application: what the desktop and a second start call.
class ApplicationAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
 public:
  explicit ApplicationAdaptor(InstanceService *service) : QDBusAbstractAdaptor(service), service_(service) {}

 public slots:
  void Activate(const QVariantMap &) { emit service_->requested({InstanceRequest::Kind::Activate, {}}); }
  void Open(const QStringList &uris, const QVariantMap &) {
    emit service_->requested({InstanceRequest::Kind::Search, uris.join(QLatin1Char(' '))});
  }
  void ActivateAction(const QString &name, const QVariantList &parameter, const QVariantMap &) {
    if (name == kSelectionAction)
      emit service_->requested({InstanceRequest::Kind::Selection, {}});
    else if (name == kSearchAction && !parameter.isEmpty())
      emit service_->requested({InstanceRequest::Kind::Search, parameter.front().toString()});
    else
      emit service_->requested({InstanceRequest::Kind::Activate, {}});
  }

 private:
  InstanceService *service_;
};

// org.gnome.Shell.SearchProvider2: idioms in the desktop's search.
class SearchProviderAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.gnome.Shell.SearchProvider2")
 public:
  explicit SearchProviderAdaptor(InstanceService *service) : QDBusAbstractAdaptor(service), service_(service) {}

 public slots:
  QStringList GetInitialResultSet(const QStringList &terms) { return Find(terms); }
  QStringList GetSubsearchResultSet(const QStringList &, const QStringList &terms) { return Find(terms); }
  QList<QVariantMap> GetResultMetas(const QStringList &ids) {
    QList<QVariantMap> metas;
    for (const QString &id : ids) {
      QVariantMap meta = service_->Answers().describe ? service_->Answers().describe(id) : QVariantMap();
      meta.insert(QStringLiteral("id"), id);
      if (!meta.contains(QStringLiteral("name"))) meta.insert(QStringLiteral("name"), id);
      metas << meta;
    }
    return metas;
  }
  void ActivateResult(const QString &id, const QStringList &, uint) { emit service_->resultChosen(id); }
  void LaunchSearch(const QStringList &terms, uint) {
    emit service_->requested({InstanceRequest::Kind::Search, terms.join(QLatin1Char(' '))});
  }

 private:
  QStringList Find(const QStringList &terms) const {
    return service_->Answers().find ? service_->Answers().find(terms.join(QLatin1Char(' '))) : QStringList();
  }
  InstanceService *service_;
};

InstanceService::InstanceService(QObject *parent) : QObject(parent) {
  qDBusRegisterMetaType<QList<QVariantMap>>();
  new ApplicationAdaptor(this);
  new SearchProviderAdaptor(this);
}

bool InstanceService::Register(SearchAnswers answers) {
  answers_ = std::move(answers);
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  if (!bus.registerService(kBusName)) return false;
  return bus.registerObject(kBusPath, this);
}

void InstanceService::Release() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  bus.unregisterObject(kBusPath);
  bus.unregisterService(kBusName);
}

bool HandToRunningInstance(const InstanceRequest &request, int timeoutMilliseconds) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(kBusName).value()) return false;
  QDBusMessage call;
  const QVariantMap platformData;
  switch (request.kind) {
    case InstanceRequest::Kind::Activate:
      call = QDBusMessage::createMethodCall(kBusName, kBusPath, kApplicationInterface, QStringLiteral("Activate"));
      call << platformData;
      break;
    case InstanceRequest::Kind::Search:
    case InstanceRequest::Kind::Selection:
      call =
          QDBusMessage::createMethodCall(kBusName, kBusPath, kApplicationInterface, QStringLiteral("ActivateAction"));
      call << (request.kind == InstanceRequest::Kind::Search ? kSearchAction : kSelectionAction)
           << QVariant::fromValue(request.kind == InstanceRequest::Kind::Search ? QVariantList{request.text}
                                                                                : QVariantList{})
           << platformData;
      break;
  }
  const QDBusMessage reply = bus.call(call, QDBus::Block, timeoutMilliseconds);
  return reply.type() == QDBusMessage::ReplyMessage;
}

}  // namespace velmora

#include "InstanceBus.moc"
