#include "EditionImport.h"

#include "EditionInUseSource.h"
#include "ScriptConverter.h"
#include "SourceError.h"
#include "SourceFile.h"

namespace velmora::editions {

namespace {

// The build itself, on the worker: the failure in words, "" on success,
// nothing when cancelled.
std::optional<QString> Build(EditionImport::Request request, const BuildControl &control) {
  try {
    // Added to: the dictionary in use is the first source, the files' texts join it.
    if (!request.addTo.isEmpty()) {
      LoadedSource inUse = LoadEditionInUse(request.addTo, request.password);
      // Its idioms keep knowing how common they are.
      if (const WordList words = InstalledWordList(); words.size() > 0) AttachFrequencies(&inUse.entries, words);
      request.sources.insert(request.sources.begin(), std::move(inUse));
    }
    BuildEditions(request.sources, request.built, request.password, control);
    return QString();
  } catch (const BuildCancelled &) {
    return std::nullopt;
  } catch (const SourceError &error) {
    return error.Text();
  } catch (const ConverterUnavailable &) {
    return QStringLiteral("The simplified-to-traditional conversion (OpenCC) is not available.");
  } catch (const std::exception &error) {
    // Whatever a library throws ends this build, never the program.
    return QStringLiteral("The dictionary could not be built: %1").arg(QString::fromLocal8Bit(error.what()));
  } catch (...) {
    return QStringLiteral("The dictionary could not be built.");
  }
}

}  // namespace

EditionImport::EditionImport(QObject *parent)
    : QObject(parent), cancelled_(std::make_shared<std::atomic<bool>>(false)) {}

EditionImport::~EditionImport() {
  Cancel();
  Join();
}

void EditionImport::Join() {
  if (worker_.joinable()) worker_.join();
}

bool EditionImport::Start(Request request) {
  if (running_) return false;
  Join();
  running_ = true;
  cancelled_->store(false);
  worker_ = std::thread([this, request = std::move(request), stop = cancelled_]() mutable {
    auto reported = std::make_shared<int>(-1);
    BuildControl control;
    control.cancelled = [stop] { return stop->load(); };
    control.progress = [this, reported](double done) {
      const int thousandths = static_cast<int>(done * 1000);
      if (thousandths == *reported) return;
      *reported = thousandths;
      emit progress(done);
    };
    const std::optional<QString> failure = Build(std::move(request), control);
    // The end is told on the owner's thread, where it can be acted on.
    QMetaObject::invokeMethod(
        this,
        [this, failure] {
          running_ = false;
          if (failure)
            emit finished(*failure);
          else
            emit cancelled();
        },
        Qt::QueuedConnection);
  });
  return true;
}

}  // namespace velmora::editions
