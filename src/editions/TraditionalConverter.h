#pragma once
// Simplified to traditional Chinese through OpenCC's "s2t.json".
#include "ScriptConverter.h"

namespace velmora::editions {

class TraditionalConverter : public ScriptConverter {
 public:
  TraditionalConverter() : ScriptConverter("s2t.json") {}  // throws when OpenCC cannot open
};

}  // namespace velmora::editions
