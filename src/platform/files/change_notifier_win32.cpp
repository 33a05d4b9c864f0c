// ReadDirectoryChangesW watches the whole tree through one handle on the root, so a
// directory made later is covered without a watch of its own. A read is outstanding from
// open() on, and the system keeps the changes made between two reads, so none are lost
// while the reading thread is busy. The files already inside a directory that appears
// (made, or moved into the tree) are reported with it, as on Linux. When more changes
// arrive than the buffer holds, the system drops them and the read completes empty:
// waitForChanges() then returns true with nothing appended.
#include "platform/files/change_notifier.h"

#include <filesystem>
#include <system_error>

#include "platform/files/utf16_win32.h"

namespace quintaval {
namespace {

constexpr DWORD kNotifyFilter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;
// 64 KiB, the most a read of a folder shared over the network may ask for.
constexpr std::size_t kBufferWords = 65536 / sizeof(DWORD);

// A UTF-16 path relative to the root, written as the program writes relative paths.
std::string relativeUtf8(const std::wstring& path) {
  std::string utf8 = narrow(path.data(), path.size());
  for (char& c : utf8) {
    if (c == '\\') c = '/';
  }
  return utf8;
}

}  // namespace

struct ChangeNotifier::Impl {
  ~Impl();
  bool open(const std::string& root);
  bool waitForChanges(std::vector<std::string>& paths);
  void wake();
  // Asks for the next changes; false when the watch is lost.
  bool read();
  void report(const FILE_NOTIFY_INFORMATION& change, std::vector<std::string>& paths) const;

  std::filesystem::path root_;
  HANDLE directory_ = INVALID_HANDLE_VALUE;
  HANDLE changed_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);  // the read has completed
  HANDLE woken_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);    // stays set once wake() ran
  OVERLAPPED overlapped_ = {};
  bool reading_ = false;
  std::vector<DWORD> buffer_ = std::vector<DWORD>(kBufferWords);  // DWORD-aligned, as the system needs
};

ChangeNotifier::Impl::~Impl() {
  if (reading_) {
    // The system writes into buffer_ until the cancelled read has ended.
    CancelIoEx(directory_, &overlapped_);
    DWORD ignored = 0;
    GetOverlappedResult(directory_, &overlapped_, &ignored, TRUE);
  }
  if (directory_ != INVALID_HANDLE_VALUE) CloseHandle(directory_);
  if (changed_ != nullptr) CloseHandle(changed_);
  if (woken_ != nullptr) CloseHandle(woken_);
}

bool ChangeNotifier::Impl::open(const std::string& root) {
  if (changed_ == nullptr || woken_ == nullptr || directory_ != INVALID_HANDLE_VALUE) return false;
  root_ = widen(root);
  const DWORD attributes = GetFileAttributesW(root_.c_str());
  if (root_.empty() || attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return false;
  }
  directory_ = CreateFileW(root_.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
  if (directory_ == INVALID_HANDLE_VALUE || !read()) return false;
  // Wine watches a subfolder of the tree only once the program has listed it; Windows
  // needs no listing, and a demo's tree is small.
  std::error_code error;
  for (std::filesystem::recursive_directory_iterator it(root_, error), end; !error && it != end; it.increment(error)) {
  }
  return true;
}

bool ChangeNotifier::Impl::read() {
  ResetEvent(changed_);
  overlapped_ = {};
  overlapped_.hEvent = changed_;
  reading_ = ReadDirectoryChangesW(directory_, buffer_.data(), static_cast<DWORD>(buffer_.size() * sizeof(DWORD)),
                                   TRUE, kNotifyFilter, nullptr, &overlapped_, nullptr) != FALSE;
  return reading_;
}

void ChangeNotifier::Impl::report(const FILE_NOTIFY_INFORMATION& change, std::vector<std::string>& paths) const {
  if (change.Action != FILE_ACTION_ADDED && change.Action != FILE_ACTION_MODIFIED &&
      change.Action != FILE_ACTION_RENAMED_NEW_NAME) {
    return;
  }
  const std::wstring name(change.FileName, change.FileNameLength / sizeof(WCHAR));
  const std::filesystem::path path = root_ / name;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  // A name gone already is reported as a file, as Linux reports a file made and removed.
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    paths.push_back(relativeUtf8(name));
    return;
  }
  if (change.Action == FILE_ACTION_MODIFIED) return;  // its entries changed, and are reported themselves
  const std::wstring base = path.wstring();
  std::error_code error;
  for (std::filesystem::recursive_directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
    std::error_code statError;
    if (!it->is_directory(statError)) {
      paths.push_back(relativeUtf8(name + L"\\" + it->path().wstring().substr(base.size() + 1)));
    }
  }
}

bool ChangeNotifier::Impl::waitForChanges(std::vector<std::string>& paths) {
  if (!reading_) return false;
  const HANDLE events[2] = {woken_, changed_};
  if (WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return false;
  DWORD bytes = 0;
  const bool completed = GetOverlappedResult(directory_, &overlapped_, &bytes, FALSE) != FALSE;
  reading_ = false;
  // ERROR_NOTIFY_ENUM_DIR: more changes than could be kept, as when a read completes empty.
  if (!completed && GetLastError() != ERROR_NOTIFY_ENUM_DIR) return false;
  const char* changes = reinterpret_cast<const char*>(buffer_.data());
  for (DWORD offset = 0; completed && offset < bytes;) {
    const auto& change = *reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(changes + offset);
    report(change, paths);
    if (change.NextEntryOffset == 0) break;
    offset += change.NextEntryOffset;
  }
  // Asked again only now: the read writes into the buffer just read. Meanwhile the
  // system keeps the changes.
  return read();
}

void ChangeNotifier::Impl::wake() {
  if (woken_ != nullptr) SetEvent(woken_);
}

ChangeNotifier::ChangeNotifier() : impl_(std::make_unique<Impl>()) {}
ChangeNotifier::~ChangeNotifier() = default;
bool ChangeNotifier::open(const std::string& root) { return impl_->open(root); }
bool ChangeNotifier::waitForChanges(std::vector<std::string>& paths) { return impl_->waitForChanges(paths); }
void ChangeNotifier::wake() { impl_->wake(); }

}  // namespace quintaval
