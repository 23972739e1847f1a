#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "TestInstall.h"
#include "platform/SoundOutput.h"
#include "platform/Speaker.h"
#include "platform/Voice.h"

using namespace velmora;

TEST(Voice, MandarinSynthesisOfAnIdiomLastsAboutASecond) {
  const std::vector<short> samples = SynthesizeSamples("yī mǎ dāng xiān");
  if (samples.empty() && SampleRate() <= 0) GTEST_SKIP() << "espeak-ng has no voice data here";
  ASSERT_GT(SampleRate(), 0);
  const double seconds = static_cast<double>(samples.size()) / SampleRate();
  EXPECT_GT(seconds, 0.5);
  EXPECT_LT(seconds, 2.5);
  const auto loudest =
      std::max_element(samples.begin(), samples.end(), [](short a, short b) { return std::abs(a) < std::abs(b); });
  EXPECT_GT(std::abs(*loudest), 1000) << "the audio is not silent";
  EXPECT_TRUE(SynthesizeSamples("yī", "no-such-voice").empty());
}

namespace {

// An output that keeps what it is given, or none at all while the server is
// away.
struct SoundServer {
  std::atomic<bool> running{false};
  std::atomic<size_t> played{0};
  struct Output : SoundOutput {
    explicit Output(SoundServer &server) : server(server) {}
    bool Write(const short *, size_t count) override {
      server.played += count;
      return true;
    }
    void Drain() override {}
    void Flush() override {}
    SoundServer &server;
  };
  std::unique_ptr<SoundOutput> Open(QString *error) {
    if (running) return std::make_unique<Output>(*this);
    *error = "Connection refused";
    return nullptr;
  }
};

bool WaitFor(const std::function<bool()> &done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

}  // namespace

TEST(Speaker, NoSoundOutputIsToldAndAServerThatComesBackIsHeard) {
  if (SynthesizeSamples("yī").empty()) GTEST_SKIP() << "espeak-ng has no voice data here";
  SoundServer server;
  SetSoundOutputOpener([&server](int, QString *error) { return server.Open(error); });
  {
    Speaker speaker;
    std::vector<bool> ready;
    QStringList told;
    QObject::connect(&speaker, &Speaker::ready, [&](bool available) { ready.push_back(available); });
    QObject::connect(&speaker, &Speaker::noSoundOutput, [&](const QString &reason) { told << reason; });
    speaker.Prepare();
    ASSERT_TRUE(WaitFor([&] { return !ready.empty(); }));
    EXPECT_EQ(ready, std::vector<bool>{false}) << "no listening question without a sound output";
    speaker.Say("yī mǎ dāng xiān");
    ASSERT_TRUE(WaitFor([&] { return !told.isEmpty(); }));
    EXPECT_EQ(told, QStringList{"Connection refused"});
    EXPECT_EQ(server.played, 0u);

    server.running = true;  // restarted: found at the next press
    speaker.Say("yī mǎ dāng xiān");
    ASSERT_TRUE(WaitFor([&] { return ready.size() == 2; }));
    EXPECT_EQ(ready.back(), true);
    ASSERT_TRUE(WaitFor([&] { return server.played > static_cast<size_t>(SampleRate() / 2); }));
  }
  SetSoundOutputOpener({});
}

TEST(SoundOutput, AServerThatAcceptsAndNeverAnswersIsGivenUpWithinSeconds) {
  // A socket that listens and never reads: the kernel takes the connection.
  QTemporaryDir dir;
  const QByteArray path = QFile::encodeName(dir.filePath("native"));
  const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(listening, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listening, 4), 0);
  const bool hadServer = qEnvironmentVariableIsSet("PULSE_SERVER");
  const QByteArray before = qgetenv("PULSE_SERVER");
  qputenv("PULSE_SERVER", "unix:" + path);
  QElapsedTimer clock;
  clock.start();
  QString error;
  EXPECT_EQ(OpenSoundOutput(22050, &error), nullptr);
  EXPECT_LT(clock.elapsed(), 10000);
  EXPECT_EQ(error, "the sound server does not answer");
  hadServer ? qputenv("PULSE_SERVER", before) : qunsetenv("PULSE_SERVER");
  ::close(listening);
}
