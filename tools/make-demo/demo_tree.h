// The output folder of the generator, laid out as the player's Data/ directory. Paths
// given to it are relative to that folder and written with "/". Every failure is printed
// to standard error and remembered in `failed`, so the generator can go on and still
// exit non-zero at the end.
#pragma once

#include <filesystem>
#include <string>

namespace quintaval::demo {

// The file the generator leaves in a folder it generated. It names that folder, so a
// copy of a generated tree (where an author may have put their own files) is not taken
// for the generator's own.
inline constexpr const char* kGeneratedMarker = ".quintaval-make-demo";

class DemoTree {
 public:
  explicit DemoTree(std::filesystem::path root);

  // Decides whether the generator may write into the root, which it does not only add to
  // but overwrites. Allowed: a missing or empty folder, which is created and marked as
  // generated, or a folder holding this folder's marker. Any other folder holds someone
  // else's files and is refused (a failure, returns false) unless `force` is set; a
  // forced run adds no marker, so the folder is refused again next time.
  bool claim(bool force);

  const std::filesystem::path& root() const { return root_; }
  std::string path(const std::string& relative) const;

  // Creates the folder and its parents if they are missing.
  void makeDirectory(const std::string& relative);
  // Empties a folder that the generator owns completely (a picture sequence), so frames
  // left over from an earlier generation with other names do not join the sequence.
  void resetDirectory(const std::string& relative);

  void writeFile(const std::string& relative, const std::string& bytes);
  // Copies every file of `sourceDir` whose name ends with `extension` into `relative`.
  // Returns the number of files copied.
  int copyFiles(const std::filesystem::path& sourceDir, const std::string& extension,
                const std::string& relative);

  // Records a failure that happened outside the tree's own operations.
  void fail(const std::string& what);
  bool failed() const { return failed_; }

 private:
  std::filesystem::path root_;
  bool failed_ = false;
};

}  // namespace quintaval::demo
