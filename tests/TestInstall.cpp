#include "TestInstall.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

#include "config/ProgramValues.h"
#include "data/Conn.h"
#include "editions/EditionBuilder.h"

namespace velmora::test {

using editions::SourceEntry;

std::vector<SourceEntry> SmallSource() {
  return {
      {"一马当先", "一馬當先", "yī mǎ dāng xiān", "to take the lead", "《水浒传》", std::nullopt},
      {"爱不释手", "愛不釋手", "ài bù shì shǒu", "to love sth too much to part with it", std::nullopt, "他爱不释手。"},
      {"按部就班", "按部就班", "àn bù jiù bān", "to follow the prescribed order", std::nullopt, std::nullopt},
      {"半途而废", "半途而廢", "bàn tú ér fèi", "to give up halfway", "《礼记》", std::nullopt},
      {"百发百中", "百發百中", "bǎi fā bǎi zhòng", "every shot hits the target", std::nullopt, std::nullopt},
      {"不可思议", "不可思議", "bù kě sī yì", "inconceivable", std::nullopt, std::nullopt},
      {"长治久安", "長治久安", "cháng zhì jiǔ ān", "long-term peace and order", std::nullopt, std::nullopt},
      {"刻舟求剑", "刻舟求劍", "kè zhōu qiú jiàn", "a foolish insistence on the old", std::nullopt, std::nullopt},
      {"一举两得", "一舉兩得", "yī jǔ liǎng dé", "one move, two gains", std::nullopt, std::nullopt},
      {"旗开得胜", "旗開得勝", "qí kāi dé shèng", "win the first battle", std::nullopt, std::nullopt},
      {"阿鼻地狱", "阿鼻地獄", "ā bí dì yù", "the deepest hell", std::nullopt, std::nullopt},
      {"饮水思源", "飲水思源", "yǐn shuǐ sī yuán", std::nullopt, std::nullopt, std::nullopt},
      {"它's一", "它's一", "tā s yī", "an idiom with a quote", std::nullopt, std::nullopt},
  };
}

void WriteSmallEdition(const QString &path, const std::vector<SourceEntry> &entries) {
  editions::WriteEdition(editions::BuildRows(entries, editions::Edition::Gb), path, kDatabasePassword,
                         QStringLiteral("test"));
}

TestInstall::TestInstall() {
  if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
  // Each installation comes with a user of its own: favourites, history and
  // the window's state never leak from one test into the next, nor into
  // the home of whoever runs the tests.
  qputenv("XDG_CONFIG_HOME", (path() + "user/config").toUtf8());
  qputenv("XDG_DATA_HOME", (path() + "user/data").toUtf8());
}

void TestInstall::Write(const QString &relative, const QByteArray &bytes) const {
  const QString target = file(relative);
  QDir().mkpath(QFileInfo(target).path());
  QFile out(target);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw std::runtime_error("cannot write test file");
  out.write(bytes);
}

void TestInstall::WriteConfig(const QString &language, const QString &dataLanguage, const QString &openSystem) const {
  Write(QStringLiteral("config.dll"),
        QStringLiteral("[Setting]\nUserName=\nUserCoolName=\nlogo=\n[language]\nlanguage=%1\n"
                       "DataLanguage=%2\n[system]\nOpenSystem=%3\n")
            .arg(language, dataLanguage, openSystem)
            .toUtf8());
}

void TestInstall::WriteLanguage(const QString &name, const QByteArray &body) const {
  Write(QStringLiteral("Lang/") + name + QStringLiteral(".lng"), body);
}

void TestInstall::WriteEdition(const QString &fileName, const std::vector<SourceEntry> &entries) const {
  QDir().mkpath(file(QStringLiteral("Data")));
  WriteSmallEdition(file(QStringLiteral("Data/") + fileName), entries);
}

void UseDatabase(const QString &dataFile) {
  CloseDatabase();
  ConnString() = BuildConnString(dataFile);
  OpenDatabase();
}

}  // namespace velmora::test
