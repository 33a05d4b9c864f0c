// Loads everything the demo shows, once, before the music starts: the pictures of "Data/"
// (the loading picture among them), then, under the loading picture and its progress
// bar, every catalogued image, model and Maya scene, the thirteen picture sequences and
// the text overlay; and the music.
//
// Files are decoded and read on worker threads from the moment the sequence is made,
// while the main thread opens the window; the main thread takes the results in a fixed
// order, reports failures (loading goes on) and uploads. So the messages, the textures,
// their names and the sequences' order are those of loading one file after another.
// At most a few decoded pictures wait for their upload at any time.
#pragma once

#include <cstdint>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "app/demo.h"
#include "core/task_pool.h"
#include "platform/audio/decoded_music.h"

namespace quintaval {

class LoadingSequence {
 public:
  // Lists what there is to load (filling the demo's asset catalogue) and starts decoding
  // it. Needs no window. The demo must outlive the sequence.
  explicit LoadingSequence(Demo& demo);
  // Stops the workers; what they had not started is dropped.
  ~LoadingSequence();
  LoadingSequence(const LoadingSequence&) = delete;
  LoadingSequence& operator=(const LoadingSequence&) = delete;

  // The pictures of "Data/" into the base library. The GL context must be current.
  void loadBasePictures();
  // The loading picture with its progress bar, then the rest in the order above, keeping
  // the window's events flowing. False when the viewer pressed Escape or closed the window
  // meanwhile: loading stopped, and the program is to end.
  bool run();
  // The decoded music (waiting for it if need be); null when the file did not decode,
  // and then `failure` says why (the file and the decoder's reason).
  std::shared_ptr<const DecodedMusic> music(std::string& failure);

 private:
  struct Step;

  void plan();
  void submit(Step& step);
  void submitAhead();
  void take(Step& step);
  bool waitFor(Step& step);
  void drawProgress(bool now);

  Demo& demo_;
  TaskPool workers_;
  std::vector<std::unique_ptr<Step>> baseSteps_;
  std::vector<std::unique_ptr<Step>> steps_;
  std::size_t submitted_ = 0;  // steps_ handed to the workers
  std::size_t taken_ = 0;      // steps_ the main thread has taken
  std::future<std::shared_ptr<const DecodedMusic>> music_;
  std::string musicFailure_;  // written by the worker before music_ is ready
  std::uint64_t musicBytes_ = 0;
  bool musicCounted_ = false;
  std::uint64_t loadedBytes_ = 0;  // of the files taken so far, for the progress bar
  std::uint64_t totalBytes_ = 0;
  double lastDrawn_ = -1.0;
  unsigned int barTexture_ = 0;
};

}  // namespace quintaval
