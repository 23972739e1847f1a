#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "TestInstall.h"
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
