// libmpg123 is asked for float output at the stream's own rate and channel count; when
// the library cannot deliver float it decodes to 16-bit integers, converted here.
#include "platform/audio/music_decoder.h"

#include <mpg123.h>

#include <memory>
#include <mutex>
#include <new>

#include "textio/text_file.h"

namespace quintaval {
namespace {

constexpr const char* kNoAudio = "no MP3 audio in it";

struct HandleDeleter {
  void operator()(mpg123_handle* handle) const {
    mpg123_close(handle);
    mpg123_delete(handle);
  }
};
using Handle = std::unique_ptr<mpg123_handle, HandleDeleter>;

bool readAll(mpg123_handle* handle, int encoding, DecodedMusic& music) {
  std::vector<unsigned char> buffer(1 << 16);
  for (;;) {
    size_t done = 0;
    const int result = mpg123_read(handle, buffer.data(), buffer.size(), &done);
    if (encoding == MPG123_ENC_FLOAT_32) {
      const float* samples = reinterpret_cast<const float*>(buffer.data());
      music.samples.insert(music.samples.end(), samples, samples + done / sizeof(float));
    } else {
      const short* samples = reinterpret_cast<const short*>(buffer.data());
      for (size_t i = 0; i < done / sizeof(short); ++i) {
        music.samples.push_back(static_cast<float>(samples[i]) / 32768.0f);
      }
    }
    if (result == MPG123_DONE) return true;
    if (result == MPG123_NEW_FORMAT) {
      // Announced once at the start; a real change mid-stream (concatenated files) is
      // not supported: keep what decoded so far rather than mixing rates.
      long rate = 0;
      int channels = 0;
      int newEncoding = 0;
      mpg123_getformat(handle, &rate, &channels, &newEncoding);
      if (rate != music.sampleRate || channels != music.channels || newEncoding != encoding) {
        return true;
      }
      continue;
    }
    if (result != MPG123_OK) return !music.samples.empty();
  }
}

}  // namespace

bool decodeMusicFile(const std::string& path, DecodedMusic& music, std::string* failure) {
  music = DecodedMusic{};
  auto fail = [&](const std::string& reason) {
    if (failure) *failure = path + ": " + reason;
    return false;
  };
  // The system says best why a file does not open; the library would read a folder as
  // an empty stream.
  const std::string unreadable = whyNotReadable(path);
  if (!unreadable.empty()) return fail(unreadable);
  static std::once_flag initialised;
  std::call_once(initialised, [] { mpg123_init(); });

  int error = MPG123_OK;
  Handle handle(mpg123_new(nullptr, &error));
  if (!handle) return fail(mpg123_plain_strerror(error));
  mpg123_param(handle.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);

  // The output format is fixed before opening: float at whatever rate and channel count
  // the file has, or 16-bit integers from a library built without float output.
  const long* rates = nullptr;
  size_t rateCount = 0;
  mpg123_rates(&rates, &rateCount);
  for (int encoding : {MPG123_ENC_FLOAT_32, MPG123_ENC_SIGNED_16}) {
    mpg123_format_none(handle.get());
    bool all = true;
    for (size_t i = 0; i < rateCount; ++i) {
      all = mpg123_format(handle.get(), rates[i], MPG123_MONO | MPG123_STEREO, encoding) ==
                MPG123_OK && all;
    }
    if (all) break;
  }
  if (mpg123_open(handle.get(), path.c_str()) != MPG123_OK) return fail(mpg123_strerror(handle.get()));

  long rate = 0;
  int channels = 0;
  int encoding = 0;
  // A stream that ends before its first frame (an empty file, text) holds no MP3 audio.
  const int format = mpg123_getformat(handle.get(), &rate, &channels, &encoding);
  if (format == MPG123_DONE) return fail(kNoAudio);
  if (format != MPG123_OK) return fail(mpg123_strerror(handle.get()));
  if (rate <= 0 || channels <= 0) return fail(kNoAudio);
  if (encoding != MPG123_ENC_FLOAT_32 && encoding != MPG123_ENC_SIGNED_16) {
    return fail("the decoder gives no float or 16-bit samples");
  }

  music.sampleRate = static_cast<int>(rate);
  music.channels = channels;
  // The length the stream announces (a header, or the file size at the first frame's
  // bit rate), with some room: the samples then grow in place instead of being copied
  // into a twice larger block near the end. A wrong guess only costs that copy.
  const off_t announced = mpg123_length(handle.get());
  if (announced > 0 && announced < (off_t{1} << 31)) {
    try {
      music.samples.reserve(static_cast<std::size_t>(announced + announced / 50 + 4096) * channels);
    } catch (const std::bad_alloc&) {
    }
  }
  if (!readAll(handle.get(), encoding, music) || music.frames() == 0) {
    music = DecodedMusic{};
    return fail(mpg123_errcode(handle.get()) == MPG123_OK ? kNoAudio : mpg123_strerror(handle.get()));
  }
  // A read error can leave a partial frame at the end.
  music.samples.resize(static_cast<size_t>(music.frames()) * channels);
  return true;
}

}  // namespace quintaval
