#include "capture/png_sequence_writer.h"

#include <stb_image_write.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/error_report.h"

namespace quintaval {

PngSequenceWriter::PngSequenceWriter(std::string directory, int width, int height, unsigned workers)
    : directory_(std::move(directory)),
      width_(width),
      height_(height),
      workerCount_(workers > 0 ? workers : std::max(1u, std::thread::hardware_concurrency())) {}

PngSequenceWriter::~PngSequenceWriter() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

bool PngSequenceWriter::open() {
  std::error_code error;
  std::filesystem::create_directories(directory_, error);
  if (!std::filesystem::is_directory(directory_)) {
    reportError("Could not create the directory " + directory_);
    return false;
  }
  for (unsigned i = workers_.size(); i < workerCount_; ++i) workers_.emplace_back([this] { work(); });
  return true;
}

std::string PngSequenceWriter::fileName(std::int64_t index) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%06lld.png", static_cast<long long>(index));
  return name;
}

bool PngSequenceWriter::writeFrame(const unsigned char* rgba, std::int64_t index) {
  if (workers_.empty()) return false;  // not opened
  Job job;
  job.index = index;
  {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return queue_.size() < 2 * workers_.size() || !failedPaths_.empty(); });
    if (!spare_.empty()) {
      job.rgb = std::move(spare_.back());
      spare_.pop_back();
    }
  }
  if (!reportFailures()) return false;

  // Drop alpha and turn the rows over: GL gives the bottom row first.
  const std::size_t rowPixels = static_cast<std::size_t>(width_);
  job.rgb.resize(rowPixels * height_ * 3);
  for (int y = 0; y < height_; ++y) {
    const unsigned char* from = rgba + (static_cast<std::size_t>(height_ - 1 - y) * rowPixels) * 4;
    unsigned char* to = job.rgb.data() + static_cast<std::size_t>(y) * rowPixels * 3;
    for (std::size_t x = 0; x < rowPixels; ++x) {
      to[3 * x] = from[4 * x];
      to[3 * x + 1] = from[4 * x + 1];
      to[3 * x + 2] = from[4 * x + 2];
    }
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.push_back(std::move(job));
  }
  changed_.notify_all();
  return true;
}

void PngSequenceWriter::work() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return !queue_.empty() || stopping_; });
    if (queue_.empty()) return;
    Job job = std::move(queue_.front());
    queue_.pop_front();
    ++busy_;
    lock.unlock();

    const std::string path = (std::filesystem::path(directory_) / fileName(job.index)).string();
    const bool written = stbi_write_png(path.c_str(), width_, height_, 3, job.rgb.data(), width_ * 3) != 0;

    lock.lock();
    --busy_;
    if (!written) failedPaths_.push_back(path);
    spare_.push_back(std::move(job.rgb));
    changed_.notify_all();
  }
}

// Called on the capturing thread, so that messages come from where the capture runs.
bool PngSequenceWriter::reportFailures() {
  std::vector<std::string> paths;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    paths.swap(failedPaths_);
  }
  for (const std::string& path : paths) reportError("Could not write " + path);
  if (!paths.empty()) failed_ = true;
  return !failed_;
}

bool PngSequenceWriter::finish() {
  {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return queue_.empty() && busy_ == 0; });
  }
  return reportFailures();
}

}  // namespace quintaval
