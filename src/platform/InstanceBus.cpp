#include "InstanceBus.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>

#include "KRunnerAdaptor.h"

namespace velmora {

namespace {

const QString kApplicationInterface = QStringLiteral("org.freedesktop.Application");
// The desktop entry's action and the program's own: a search key, the selection.
const QString kSearchAction = QStringLiteral("search"), kSelectionAction = QStringLiteral("lookup-selection"),
              kLookupAction = QStringLiteral("lookup");
const QString kActivationToken = QStringLiteral("activation-token");
constexpr int kMostResultMetas = 50;

// Handed to the window after the call is answered: a request that takes the
// window a while (a selection whose owner is slow) must not make the caller
// give up and open a second window.
void Request(InstanceService *service, const InstanceRequest &request) {
  QMetaObject::invokeMethod(
      service, [service, request] { emit service->requested(request); }, Qt::QueuedConnection);
}

}  // namespace

static QString TokenIn(const QVariantMap &platformData) { return platformData.value(kActivationToken).toString(); }

// org.freedesktop.Application: what the desktop and a second start call.
class ApplicationAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
 public:
  explicit ApplicationAdaptor(InstanceService *service) : QDBusAbstractAdaptor(service), service_(service) {}

 public slots:
  void Activate(const QVariantMap &platformData) {
    Request(service_, {InstanceRequest::Kind::Activate, {}, TokenIn(platformData)});
  }
  void Open(const QStringList &uris, const QVariantMap &platformData) {
    Request(service_, {InstanceRequest::Kind::Search, uris.join(QLatin1Char(' ')), TokenIn(platformData)});
  }
  void ActivateAction(const QString &name, const QVariantList &parameter, const QVariantMap &platformData) {
    const QString token = TokenIn(platformData);
    const QString text = parameter.isEmpty() ? QString() : parameter.front().toString();
    if (name == kSelectionAction)
      Request(service_, {InstanceRequest::Kind::Selection, {}, token});
    else if (name == kLookupAction)
      Request(service_, {InstanceRequest::Kind::Lookup, text, token});
    else if (name == kSearchAction && !text.isEmpty())
      Request(service_, {InstanceRequest::Kind::Search, text, token});
    else
      Request(service_, {InstanceRequest::Kind::Activate, {}, token});
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
    emit service_->searched();
    QList<QVariantMap> metas;
    // The desktop shows a handful; a caller asking for thousands gets the first.
    for (const QString &id : ids.mid(0, kMostResultMetas)) {
      QVariantMap meta = service_->Answers().describe ? service_->Answers().describe(id) : QVariantMap();
      meta.insert(QStringLiteral("id"), id);
      if (!meta.contains(QStringLiteral("name"))) meta.insert(QStringLiteral("name"), id);
      metas << meta;
    }
    return metas;
  }
  void ActivateResult(const QString &id, const QStringList &, uint) {
    QMetaObject::invokeMethod(
        service_, [service = service_, id] { emit service->resultChosen(id); }, Qt::QueuedConnection);
  }
  void LaunchSearch(const QStringList &terms, uint) {
    Request(service_, {InstanceRequest::Kind::Search, terms.join(QLatin1Char(' ')), {}});
  }

 private:
  QStringList Find(const QStringList &terms) const {
    emit service_->searched();
    return service_->Answers().find ? service_->Answers().find(terms.join(QLatin1Char(' '))) : QStringList();
  }
  InstanceService *service_;
};

InstanceService::InstanceService(QObject *parent) : QObject(parent) {
  qDBusRegisterMetaType<QList<QVariantMap>>();
  new ApplicationAdaptor(this);
  new SearchProviderAdaptor(this);
  KRunnerAdaptor::RegisterTypes();
  new KRunnerAdaptor(this);
}

InstanceService::Registration InstanceService::Register(SearchAnswers answers) {
  answers_ = std::move(answers);
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return Registration::NoBus;
  // The name is taken at once: of two starts at the same moment one gets
  // it and the other hands over, never both a window.
  if (!bus.registerService(kBusName)) return Registration::Taken;
  registered_ = bus.registerObject(kBusPath, this);
  return Registration::Owned;
}

void InstanceService::Release() {
  if (!registered_) return;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  bus.unregisterObject(kBusPath);
  bus.unregisterService(kBusName);
}

bool HandToRunningInstance(const InstanceRequest &request, int timeoutMilliseconds) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(kBusName).value()) return false;
  QDBusMessage call;
  QVariantMap platformData;
  if (!request.activationToken.isEmpty()) platformData.insert(kActivationToken, request.activationToken);
  const auto action = [&call](const QString &name, const QVariantList &parameter) {
    call = QDBusMessage::createMethodCall(kBusName, kBusPath, kApplicationInterface, QStringLiteral("ActivateAction"));
    call << name << QVariant::fromValue(parameter);
  };
  switch (request.kind) {
    case InstanceRequest::Kind::Activate:
      call = QDBusMessage::createMethodCall(kBusName, kBusPath, kApplicationInterface, QStringLiteral("Activate"));
      break;
    case InstanceRequest::Kind::Search: action(kSearchAction, {request.text}); break;
    case InstanceRequest::Kind::Selection: action(kSelectionAction, {}); break;
    case InstanceRequest::Kind::Lookup: action(kLookupAction, {request.text}); break;
  }
  call << platformData;
  const QDBusMessage reply = bus.call(call, QDBus::Block, timeoutMilliseconds);
  return reply.type() == QDBusMessage::ReplyMessage;
}

}  // namespace velmora

#include "InstanceBus.moc"
