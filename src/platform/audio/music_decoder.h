// Decoding a whole MP3 file into memory with libmpg123, before playback starts, so that
// positions are exact and the spectrum can read any part of the music.
#pragma once

#include <string>

#include "platform/audio/decoded_music.h"

namespace quintaval {

// Decodes `path`. Returns false, with `music` empty, when the file cannot be opened or
// holds no decodable audio; `failure`, when given, then says why: the path and the
// reason ("Data/Sound/Musica.mp3: No such file or directory"). Nothing is reported; the
// caller decides what to say.
bool decodeMusicFile(const std::string& path, DecodedMusic& music, std::string* failure = nullptr);

}  // namespace quintaval
