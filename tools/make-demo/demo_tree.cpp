// DemoTree: folders and files of the generated Data/ tree.
#include "demo_tree.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <system_error>
#include <vector>

namespace quintaval::demo {

namespace fs = std::filesystem;

DemoTree::DemoTree(fs::path root) : root_(std::move(root)) {}

std::string DemoTree::path(const std::string& relative) const { return (root_ / relative).string(); }

namespace {

// The marker's text: what the file is, and the folder it was written into.
std::string markerText(const fs::path& folder) {
  std::error_code error;
  const fs::path absolute = fs::canonical(folder, error);
  return "quintaval-make-demo generated this folder and may overwrite it:\n" +
         (error ? folder : absolute).string() + "\n";
}

std::string readSmallFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string text(4096, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<size_t>(in.gcount()));
  return text;
}

}  // namespace

bool DemoTree::claim(bool force) {
  std::error_code error;
  const fs::file_status status = fs::status(root_, error);
  if (error && status.type() != fs::file_type::not_found) {
    fail("cannot read " + root_.string() + ": " + error.message());
    return false;
  }
  bool generatedHere = false;
  if (fs::exists(status)) {
    if (!fs::is_directory(status)) {
      fail(root_.string() + " is not a folder");
      return false;
    }
    const bool empty = fs::is_empty(root_, error);
    if (error) {
      fail("cannot read " + root_.string() + ": " + error.message());
      return false;
    }
    const fs::path marker = root_ / kGeneratedMarker;
    generatedHere = empty || (fs::is_regular_file(marker, error) &&
                              readSmallFile(marker) == markerText(root_));
  } else {
    makeDirectory("");
    if (failed_) return false;
    generatedHere = true;
  }
  if (generatedHere) {
    writeFile(kGeneratedMarker, markerText(root_));
    return !failed_;
  }
  if (force) return true;
  fail(root_.string() + " is not empty and was not generated here by quintaval-make-demo; " +
       "refusing to overwrite its files (--force writes into it all the same)");
  return false;
}

void DemoTree::makeDirectory(const std::string& relative) {
  std::error_code error;
  fs::create_directories(root_ / relative, error);
  if (error) {
    fail("cannot create " + path(relative) + ": " + error.message());
  }
}

void DemoTree::resetDirectory(const std::string& relative) {
  std::error_code error;
  fs::remove_all(root_ / relative, error);
  if (error) {
    fail("cannot empty " + path(relative) + ": " + error.message());
  }
  makeDirectory(relative);
}

void DemoTree::writeFile(const std::string& relative, const std::string& bytes) {
  std::ofstream out(root_ / relative, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    fail("cannot write " + path(relative));
  }
}

int DemoTree::copyFiles(const fs::path& sourceDir, const std::string& extension,
                        const std::string& relative) {
  std::error_code error;
  std::vector<fs::path> sources;
  for (const auto& entry : fs::directory_iterator(sourceDir, error)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && name.size() > extension.size() &&
        name.compare(name.size() - extension.size(), extension.size(), extension) == 0) {
      sources.push_back(entry.path());
    }
  }
  if (error) {
    fail("cannot read " + sourceDir.string() + ": " + error.message());
    return 0;
  }
  std::sort(sources.begin(), sources.end());
  makeDirectory(relative);
  for (const auto& source : sources) {
    fs::copy_file(source, root_ / relative / source.filename(),
                  fs::copy_options::overwrite_existing, error);
    if (error) {
      fail("cannot copy " + source.string() + ": " + error.message());
    }
  }
  return static_cast<int>(sources.size());
}

void DemoTree::fail(const std::string& what) {
  std::fprintf(stderr, "quintaval-make-demo: %s\n", what.c_str());
  failed_ = true;
}

}  // namespace quintaval::demo
