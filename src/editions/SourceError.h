#pragma once
// What is wrong with a data source, said in words for the person who chose
// it: the file, and the line and column where the fault is when there is one.
#include <QString>
#include <stdexcept>

namespace velmora::editions {

class SourceError : public std::runtime_error {
 public:
  explicit SourceError(const QString &message) : std::runtime_error(message.toStdString()) {}
  // "file, line 3, column 14: message" (column 0: none).
  SourceError(const QString &file, long long line, long long column, const QString &message)
      : std::runtime_error(Where(file, line, column).append(message).toStdString()) {}

  QString Text() const { return QString::fromStdString(what()); }

 private:
  static QString Where(const QString &file, long long line, long long column) {
    QString where = file;
    if (line > 0) where += QStringLiteral(", line %1").arg(line);
    if (column > 0) where += QStringLiteral(", column %1").arg(column);
    return where + QStringLiteral(": ");
  }
};

}  // namespace velmora::editions
