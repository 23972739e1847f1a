#include "SelectionReader.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QTimer>

namespace velmora {

namespace {

bool &HelperProcess() {
  static bool use = false;
  return use;
}

}  // namespace

void SelectionReader::UseHelperProcess(bool use) { HelperProcess() = use; }

void SelectionReader::Read(Source source, std::function<void(const QString &)> done) {
  if (!HelperProcess()) {
    QTimer::singleShot(0, this, [source, done = std::move(done)] { done(SelectedText(source)); });
    return;
  }
  if (reading_) {
    reading_->disconnect(this);
    reading_->kill();
    reading_->deleteLater();
  }
  auto *process = reading_ = new QProcess(this);
  auto finish = [this, process, done = std::move(done)](bool inTime) {
    if (reading_ != process) return;
    reading_ = nullptr;
    process->disconnect(this);
    const QString text = inTime ? QString::fromUtf8(process->readAllStandardOutput()) : QString();
    if (!inTime) process->kill();
    process->deleteLater();
    done(text);
  };
  connect(process, &QProcess::finished, this, [finish] { finish(true); });
  connect(process, &QProcess::errorOccurred, this, [finish](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) finish(false);
  });
  QTimer::singleShot(kWaitMilliseconds, process, [finish] { finish(false); });
  // A helper of a moment: not a program for a screen reader to list.
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"));
  environment.insert(QStringLiteral("QT_ACCESSIBILITY"), QStringLiteral("0"));
  process->setProcessEnvironment(environment);
  process->start(
      QCoreApplication::applicationFilePath(),
      {source == Source::Selection ? QStringLiteral("--print-selection") : QStringLiteral("--print-clipboard")});
}

QString SelectedText(SelectionReader::Source source) {
  QClipboard *clipboard = QGuiApplication::clipboard();
  QString text = source == SelectionReader::Source::Selection && clipboard->supportsSelection()
                     ? clipboard->text(QClipboard::Selection)
                     : QString();
  if (text.trimmed().isEmpty()) text = clipboard->text(QClipboard::Clipboard);
  return text;
}

}  // namespace velmora
