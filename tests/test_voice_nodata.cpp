#include <gtest/gtest.h>

#include "TestInstall.h"
#include "platform/Voice.h"

using namespace velmora;

TEST(VoiceWithoutData, IsUnavailableAndSpeaksNothing) {
  Voice voice;
  EXPECT_FALSE(voice.IsAvailable());
  EXPECT_TRUE(voice.Samples("yī mǎ dāng xiān").empty());
}
