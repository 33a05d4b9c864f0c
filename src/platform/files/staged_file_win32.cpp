// On Windows a rename does not replace an existing file, so the staged file takes the
// target's place through MoveFileExW. Its name is made unique by trying numbered names
// with CREATE_NEW, as mkstemp does.
#include "platform/files/staged_file.h"

#include <windows.h>

#include <cerrno>

#include "platform/files/utf16_win32.h"

namespace quintaval {
namespace {

// errno for what the last Win32 call failed with, as far as the callers tell them apart.
void setErrnoFromWin32() {
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: errno = ENOENT; break;
    case ERROR_ACCESS_DENIED: errno = EACCES; break;
    case ERROR_DISK_FULL: errno = ENOSPC; break;
    default: errno = EIO; break;
  }
}

}  // namespace

bool stageFile(const std::string& path, const std::string& bytes, std::string& tempPath) {
  tempPath.clear();
  const DWORD stamp = GetCurrentProcessId() ^ GetTickCount();
  for (DWORD attempt = 0; attempt < 100; ++attempt) {
    const std::string temp = path + ".tmp" + std::to_string(stamp + attempt);
    const HANDLE file = CreateFileW(widen(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      if (GetLastError() == ERROR_FILE_EXISTS) continue;
      setErrnoFromWin32();
      return false;
    }
    DWORD written = 0;
    const bool ok = bytes.size() <= MAXDWORD &&
                    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size() && FlushFileBuffers(file);  // on the disk before the move
    if (!ok) setErrnoFromWin32();
    CloseHandle(file);
    if (!ok) {
      DeleteFileW(widen(temp).c_str());
      return false;
    }
    tempPath = temp;
    return true;
  }
  errno = EEXIST;
  return false;
}

bool commitStagedFile(const std::string& tempPath, const std::string& path) {
  if (MoveFileExW(widen(tempPath).c_str(), widen(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  setErrnoFromWin32();
  return false;
}

void discardStagedFile(const std::string& tempPath) { DeleteFileW(widen(tempPath).c_str()); }

}  // namespace quintaval
