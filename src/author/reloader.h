// Applies a changed file of "Data/" to the running demo: the owner of that asset loads
// it again with its own loader, and keeps its last good version when the new one does
// not load. Every reload ends in the author log: a note when it worked, one error (also on
// standard error) with the loader's messages when it did not. The music is decoded on a
// worker thread, which takes a second or more, and swapped in, with the play position
// kept, on a later frame; everything else is done at once on the GL thread.
#pragma once

#include <future>
#include <memory>
#include <string>

#include "author/author_log.h"
#include "author/change_router.h"
#include "platform/audio/decoded_music.h"

namespace quintaval {

struct Demo;

class Reloader {
 public:
  Reloader(Demo& demo, AuthorLog& log) : demo_(demo), log_(log) {}

  void apply(const ChangedAsset& change);
  // Once per frame: hands over music decoded since the last frame.
  void finishPending();

 private:
  // The synchronous reloads; `what` names the asset for the log.
  bool reload(const ChangedAsset& change, std::string& what);
  // False when no program has that name; otherwise the result is logged here.
  bool reloadShader(const std::string& name);
  bool reloadSequence(int sequence, const std::string& file);
  bool reloadBasePicture(const std::string& name);
  void decodeMusic();

  Demo& demo_;
  AuthorLog& log_;
  struct MusicDecode {
    std::shared_ptr<DecodedMusic> music;  // null when the file did not decode
    std::string failure;                  // then why: the file and the decoder's reason
  };
  std::future<MusicDecode> music_;
  bool musicAgain_ = false;
};

}  // namespace quintaval
