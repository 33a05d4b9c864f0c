// A scratch directory removed with everything in it when the object goes away.
#pragma once

#include <filesystem>
#include <string>

namespace quintaval::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Writes `contents` to path()/relative, creating parent directories.
  std::filesystem::path write(const std::string& relative, const std::string& contents) const;

 private:
  std::filesystem::path path_;
};

// Changes the working directory for the lifetime of the object (the program's data
// paths are relative to it).
class ScopedWorkingDirectory {
 public:
  explicit ScopedWorkingDirectory(const std::filesystem::path& dir);
  ~ScopedWorkingDirectory();

 private:
  std::filesystem::path previous_;
};

}  // namespace quintaval::testing
