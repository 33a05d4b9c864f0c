// The real AudioSink: decoded music played through SDL 2's default output device, from
// the first frame, optionally looping. The output callback counts the frames it hands to
// the device and stamps each buffer with the steady clock; the clock above turns those
// stamps into a smooth play position (see timeline/music_clock.h). Once a non-looping
// piece has ended the callback keeps counting silent frames, so the position runs on past
// the end.
//
// When no output device can be opened, the music can be played on SDL's silent `dummy`
// driver instead. That driver paces itself by sleeping, so on a busy machine it falls
// behind; nobody hears it, and the clock above then follows the steady clock instead.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/audio/audio_sink.h"
#include "platform/audio/decoded_music.h"

namespace quintaval {

class AudioOutput : public AudioSink {
 public:
  AudioOutput() = default;
  ~AudioOutput() override;
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  // Opens the default device for `music`, paused at frame 0, or the dummy driver when
  // there is none.
  OpenResult open(std::shared_ptr<const DecodedMusic> music, bool loop) override;
  // Puts the position back to frame 0 while paused. False when nothing is open.
  bool rewind() override;
  // Starts (unpauses) the callback. False when nothing is open.
  bool play() override;
  void pause() override;
  bool seekTo(std::uint64_t frame) override;
  // Stops the callback and releases the device and the audio subsystem.
  void close() override;

  // Writes `frames` interleaved frames of `music` starting at `firstFrame` (counted from
  // the start of playback): wrapped into the music when looping, silence after its end
  // otherwise. What the output callback plays.
  static void renderFrames(const DecodedMusic& music, bool loop, std::uint64_t firstFrame,
                           float* out, int frames);

  // Whether an output device can be opened at all (opens and closes one).
  bool deviceAvailable() const override;

  bool isOpen() const override { return device_ != 0; }
  // Whether the open device is SDL's silent dummy driver (chosen as a fallback or by the
  // SDL_AUDIODRIVER environment variable).
  bool onDummyDriver() const override { return onDummy_; }
  // When play() started the callback (steady clock, ns); 0 before.
  std::int64_t playStartNs() const override { return playStartNs_; }
  AudioAnchor anchor() const override;
  // The device buffer SDL reports.
  int latencyFrames() const override { return latencyFrames_; }

 private:
  static void callback(void* self, unsigned char* stream, int bytes);
  bool openDevice();

  std::shared_ptr<const DecodedMusic> music_;
  bool loop_ = false;
  std::uint32_t device_ = 0;
  bool subsystemStarted_ = false;
  bool dummyHintSet_ = false;
  bool onDummy_ = false;
  std::int64_t playStartNs_ = 0;
  int latencyFrames_ = 0;

  // Written by the audio thread, read by the main thread.
  mutable std::mutex anchorMutex_;
  AudioAnchor anchor_;
  std::uint64_t framesHanded_ = 0;  // audio thread only, reset before play
};

}  // namespace quintaval
