#pragma once
// Bytes read a range at a time, wherever they are kept: in memory, or in an
// edition's stored data, read from the file when wanted (StoredBytes).
#include <QByteArray>

namespace velmora {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual qint64 size() const = 0;
  // False when the range is not all there or cannot be read.
  virtual bool Read(qint64 at, qint64 length, char *into) const = 0;
};

class MemoryBytes final : public ByteSource {
 public:
  explicit MemoryBytes(QByteArray bytes) : bytes_(std::move(bytes)) {}
  qint64 size() const override { return bytes_.size(); }
  bool Read(qint64 at, qint64 length, char *into) const override;
  const QByteArray &bytes() const { return bytes_; }

 private:
  QByteArray bytes_;
};

}  // namespace velmora
