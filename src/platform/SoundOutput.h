#pragma once
// A sound output opened for one utterance, through the desktop's sound
// server (PulseAudio, or PipeWire's PulseAudio service), loaded when first
// wanted. Opened afresh each time, so that a server that was restarted, or
// that came after the program, is found at the next utterance.
#include <QString>
#include <functional>
#include <memory>

namespace velmora {

class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  // Plays 16-bit mono samples; returns once they are queued, paced by a
  // short buffer, so that a stop between writes is heard at once. False on
  // an error of the server.
  virtual bool Write(const short *samples, size_t count) = 0;
  // Waits until what was written has been played.
  virtual void Drain() = 0;
  // Drops what was written and not yet played.
  virtual void Flush() = 0;
};

// Opens an output at the sample rate; null (with the reason in *error) when
// there is no server or no library to reach it.
using SoundOutputOpener = std::function<std::unique_ptr<SoundOutput>(int rate, QString *error)>;
std::unique_ptr<SoundOutput> OpenSoundOutput(int rate, QString *error);
// Replaces the opener (tests); an empty one restores the server's.
void SetSoundOutputOpener(SoundOutputOpener opener);

}  // namespace velmora
