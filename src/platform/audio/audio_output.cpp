// SDL converts our float frames to whatever the device wants (rate, format, channels),
// so the callback always works in the music's own frames.
#include "platform/audio/audio_output.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace quintaval {
namespace {

std::int64_t steadyNowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

AudioOutput::~AudioOutput() { close(); }

bool AudioOutput::openDevice() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  subsystemStarted_ = true;
  SDL_AudioSpec wanted;
  SDL_zero(wanted);
  wanted.freq = music_->sampleRate;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = static_cast<Uint8>(music_->channels);
  wanted.samples = 1024;
  wanted.callback = &AudioOutput::callback;
  wanted.userdata = this;
  SDL_AudioSpec obtained;
  device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  if (device_ == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    subsystemStarted_ = false;
    return false;
  }
  latencyFrames_ = obtained.samples;
  const char* driver = SDL_GetCurrentAudioDriver();
  onDummy_ = driver && std::strcmp(driver, "dummy") == 0;
  return true;
}

AudioOutput::OpenResult AudioOutput::open(std::shared_ptr<const DecodedMusic> music, bool loop) {
  close();
  if (!music || music->sampleRate <= 0 || music->channels <= 0 || music->channels > 8 ||
      music->frames() <= 0) {
    return OpenResult::kFailed;
  }
  music_ = std::move(music);
  loop_ = loop;
  if (openDevice()) return OpenResult::kDevice;

  // The driver choice is made when the subsystem starts, so the override has to be in
  // place before the second start; it is withdrawn again in close().
  SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
  dummyHintSet_ = true;
  if (openDevice()) return OpenResult::kDummyDriver;
  close();
  return OpenResult::kFailed;
}

bool AudioOutput::deviceAvailable() const {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec wanted;
  SDL_zero(wanted);
  wanted.freq = 44100;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = 2;
  wanted.samples = 1024;
  // No callback: a queue-driven device that is never unpaused plays nothing.
  const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (device != 0) SDL_CloseAudioDevice(device);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return device != 0;
}

bool AudioOutput::play() {
  if (device_ == 0) return false;
  playStartNs_ = steadyNowNs();
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

void AudioOutput::pause() {
  if (device_ != 0) SDL_PauseAudioDevice(device_, 1);
}

bool AudioOutput::rewind() { return seekTo(0); }

bool AudioOutput::seekTo(std::uint64_t frame) {
  if (device_ == 0) return false;
  SDL_LockAudioDevice(device_);
  framesHanded_ = frame;
  {
    std::lock_guard<std::mutex> lock(anchorMutex_);
    anchor_ = AudioAnchor{};
  }
  SDL_UnlockAudioDevice(device_);
  return true;
}

void AudioOutput::close() {
  if (device_ != 0) {
    SDL_CloseAudioDevice(device_);
    device_ = 0;
  }
  if (subsystemStarted_) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    subsystemStarted_ = false;
  }
  if (dummyHintSet_) {
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    dummyHintSet_ = false;
  }
  {
    std::lock_guard<std::mutex> lock(anchorMutex_);
    anchor_ = AudioAnchor{};
  }
  music_.reset();
  latencyFrames_ = 0;
  onDummy_ = false;
  playStartNs_ = 0;
}

AudioAnchor AudioOutput::anchor() const {
  std::lock_guard<std::mutex> lock(anchorMutex_);
  return anchor_;
}

void AudioOutput::callback(void* self, unsigned char* stream, int bytes) {
  auto* output = static_cast<AudioOutput*>(self);
  const int frames = bytes / static_cast<int>(sizeof(float) * output->music_->channels);
  const std::int64_t now = steadyNowNs();
  {
    std::lock_guard<std::mutex> lock(output->anchorMutex_);
    output->anchor_ = AudioAnchor{true, output->framesHanded_, frames, now};
  }
  renderFrames(*output->music_, output->loop_, output->framesHanded_,
               reinterpret_cast<float*>(stream), frames);
  output->framesHanded_ += static_cast<std::uint64_t>(frames);
  std::memset(stream + static_cast<size_t>(frames) * sizeof(float) * output->music_->channels, 0,
              static_cast<size_t>(bytes) - static_cast<size_t>(frames) * sizeof(float) *
                                                 output->music_->channels);
}

void AudioOutput::renderFrames(const DecodedMusic& music, bool loop, std::uint64_t firstFrame,
                               float* out, int frames) {
  const std::uint64_t length = static_cast<std::uint64_t>(std::max<std::int64_t>(music.frames(), 0));
  const size_t channels = static_cast<size_t>(music.channels);
  int written = 0;
  while (written < frames) {
    const std::uint64_t position = firstFrame + static_cast<std::uint64_t>(written);
    const std::uint64_t at = loop && length > 0 ? position % length : position;
    const std::uint64_t run = at < length ? std::min<std::uint64_t>(frames - written, length - at) : 0;
    if (run == 0) {
      // Past the end of a piece that does not loop: silence.
      std::fill(out + written * channels, out + frames * channels, 0.0f);
      return;
    }
    std::memcpy(out + written * channels, music.samples.data() + at * channels,
                sizeof(float) * run * channels);
    written += static_cast<int>(run);
  }
}

}  // namespace quintaval
