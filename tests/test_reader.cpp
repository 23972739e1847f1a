// The idiom on display: what is kept in the history and on the way back,
// and the idiom shown before it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <functional>

#include "data/UserStore.h"
#include "reading/Reader.h"

namespace velmora {
namespace {

IdiomRecord Idiom(const QString &idiom) {
  IdiomRecord record;
  record.idiom = idiom;
  return record;
}

// Runs the events until the condition holds, or five seconds.
bool WaitUntil(const std::function<bool()> &condition) {
  QElapsedTimer waited;
  waited.start();
  while (!condition() && waited.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
  return condition();
}

QStringList History(const UserStore &store) {
  QStringList idioms;
  for (const auto &entry : store.History()) idioms << entry.idiom;
  return idioms;
}

TEST(Reader, KeepsOnlyChosenIdiomsAndThoseLeftOnDisplay) {
  QTemporaryDir dir;
  UserStore store(dir.filePath("velmora.db"), "e");
  Reader reader;
  reader.SetStore(&store);
  reader.DwellTimer().setInterval(30);
  reader.Show(Idiom("阿鼻地狱"), Reader::Reason::Start);
  for (const char *passed : {"一", "一马", "一马当先"}) reader.Show(Idiom(passed), Reader::Reason::Passing);
  EXPECT_TRUE(History(store).isEmpty()) << "typing passes idioms; none is kept at once";
  EXPECT_EQ(reader.Previous(), "阿鼻地狱") << "up goes past the idioms typing passed";
  reader.Show(Idiom("一马当先"), Reader::Reason::Chosen);
  EXPECT_EQ(History(store), QStringList({"一马当先"}));
  EXPECT_EQ(reader.Previous(), "阿鼻地狱") << "a redisplay of the same idiom leaves the previous one";
  reader.Show(Idiom("爱不释手"), Reader::Reason::Passing);
  EXPECT_EQ(reader.Previous(), "一马当先");
  EXPECT_TRUE(WaitUntil([&] { return History(store).size() == 2; }));
  EXPECT_EQ(History(store), QStringList({"爱不释手", "一马当先"})) << "left on display: kept";
  reader.Show(Idiom("按部就班"), Reader::Reason::Passing);
  reader.Show(Idiom("按图索骥"), Reader::Reason::Passing);
  EXPECT_EQ(reader.Previous(), "爱不释手") << "one left on display counts";
  EXPECT_EQ(reader.Back(), QString("爱不释手")) << "back from an idiom passed is the last one kept";
  EXPECT_FALSE(History(store).contains("阿鼻地狱"));
}

}  // namespace
}  // namespace velmora
