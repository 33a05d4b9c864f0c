#include "platform/files/staged_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace quintaval {

bool stageFile(const std::string& path, const std::string& bytes, std::string& tempPath) {
  tempPath.clear();
  std::string temp = path + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  bool ok = true;
  std::size_t done = 0;
  while (ok && done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      ok = false;
    } else {
      done += static_cast<std::size_t>(n);
    }
  }
  // mkstemp creates the file 0600; the files staged here are ordinary data.
  if (ok && fchmod(fd, 0644) != 0) ok = false;
  // On the disk before the rename, so that a crash of the machine after it cannot leave
  // an empty file in the target's place.
  if (ok && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (!ok) {
    const int error = errno;
    ::unlink(temp.c_str());
    errno = error;
    return false;
  }
  tempPath = temp;
  return true;
}

bool commitStagedFile(const std::string& tempPath, const std::string& path) {
  return std::rename(tempPath.c_str(), path.c_str()) == 0;
}

void discardStagedFile(const std::string& tempPath) { ::unlink(tempPath.c_str()); }

}  // namespace quintaval
