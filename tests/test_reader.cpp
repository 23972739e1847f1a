// The idiom on display: what is kept in the history and on the way back,
// and the idiom shown before it.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include "data/UserStore.h"
#include "reading/Reader.h"

namespace velmora {
namespace {

IdiomRecord Idiom(const QString &idiom) {
  IdiomRecord record;
  record.idiom = idiom;
  return record;
}

void Wait(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
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
  reader.Show(Idiom("一马当先"), Reader::Reason::Chosen);
  EXPECT_EQ(History(store), QStringList({"一马当先"}));
  EXPECT_EQ(reader.Previous(), "一马") << "a redisplay of the same idiom leaves the previous one";
  reader.Show(Idiom("爱不释手"), Reader::Reason::Passing);
  Wait(120);
  EXPECT_EQ(History(store), QStringList({"爱不释手", "一马当先"})) << "left on display: kept";
  reader.Show(Idiom("按部就班"), Reader::Reason::Passing);
  EXPECT_EQ(reader.Back(), QString("爱不释手")) << "back from an idiom passed is the last one kept";
  EXPECT_FALSE(History(store).contains("阿鼻地狱"));
}

}  // namespace
}  // namespace velmora
