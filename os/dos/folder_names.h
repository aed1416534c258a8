// The names of one folder as its listing gave them, looked up ignoring the
// case of a-z. All names share one block of text and one open-addressing
// table, so that a folder of thousands of names is read in and dropped
// without an allocation per name.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dosindex {

class FolderNames {
 public:
  // A name of the listing, in its order; `kind` is its DT_ value.
  void add(std::string_view name, unsigned char kind);
  // Makes the names added so far ready to be found.
  void seal();

  struct Found {
    int32_t count = 0;        // names equal to the one asked for, ignoring case
    std::string_view actual;  // the first of them in the listing, as on disk
    unsigned char kind = 0;   // its kind (DT_...)
  };
  Found find(std::string_view name) const;

 private:
  struct Entry {
    uint32_t offset;
    uint32_t length;
    uint32_t hash;
    int32_t count;  // for the first of names equal ignoring case: how many there are
    unsigned char kind;
  };
  std::string_view nameOf(const Entry& e) const { return std::string_view(text_).substr(e.offset, e.length); }

  std::string text_;
  std::vector<Entry> entries_;
  std::vector<uint32_t> slots_;  // an entry's number + 1; 0 is a free slot
};

}  // namespace dosindex
