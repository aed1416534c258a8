// What inotify reports for the files of one folder, for tests that show a
// file was only read (or was written after all).
#pragma once
#include <string>

class FolderWatch {
 public:
  explicit FolderWatch(const std::string& folder);
  ~FolderWatch();
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  bool ready() const { return fd_ >= 0; }
  // The events of the folder's files since the last call, in order: "open", "modify",
  // "close-write", "close-read". inotify folds an event that repeats the one
  // before it into that one.
  std::string events();

 private:
  int fd_ = -1;
};
