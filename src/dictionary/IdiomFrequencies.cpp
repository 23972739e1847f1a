#include "IdiomFrequencies.h"

#include <QtEndian>
#include <algorithm>
#include <numeric>

#include "data/EditionFacts.h"
#include "data/Queries.h"

namespace velmora {

IdiomFrequencies IdiomFrequencies::Read(const SqlConnection &connection, int rows) {
  return FromBytes(ReadSearchData(connection, kSearchFrequency), rows);
}

IdiomFrequencies IdiomFrequencies::FromBytes(const QByteArray &bytes, int rows) {
  // A count for each row, or none at all: counts of another edition would
  // put the wrong idioms first.
  if (rows <= 0 || bytes.size() != static_cast<qsizetype>(rows) * 4) return {};
  std::vector<uint32_t> counts(static_cast<size_t>(rows));
  for (size_t i = 0; i < counts.size(); ++i) counts[i] = qFromLittleEndian<uint32_t>(bytes.constData() + i * 4);
  return IdiomFrequencies(std::move(counts));
}

void IdiomFrequencies::CommonFirst(std::vector<int> *rows) const {
  if (!Known()) return;
  std::stable_sort(rows->begin(), rows->end(), [this](int a, int b) { return Before(a, b); });
}

std::vector<int> IdiomFrequencies::RowsCommonFirst(int rows) const {
  std::vector<int> order(static_cast<size_t>(std::max(rows, 0)));
  std::iota(order.begin(), order.end(), 0);
  CommonFirst(&order);
  return order;
}

}  // namespace velmora
