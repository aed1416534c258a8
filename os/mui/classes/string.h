// String.mui: a one-line text field. Its contents and MUIA_String_Integer are
// two views of one text (read as a number by the runtime's reader); the text holds at most MaxLen - 1 characters;
// typing takes only the accepted characters; Return sets
// MUIA_String_Acknowledge to the contents.
#pragma once
#include <string>

#include "os/mui/classes/area.h"

namespace mui {

class String : public Area {
 public:
  const char* contents() const { return text(MUIA_String_Contents); }
  // Whether typing may enter the character.
  bool accepts(char c) const;

 protected:
  void initTag(const AttrSpec& spec, IPTR data) override;
  bool finishCreate() override;
  bool filterSet(Tag tag, IPTR& data) override;
  void afterSet(Tag tag, IPTR data) override;
  bool computeGet(Tag tag, IPTR* storage) override;
  bool dispatch(const IPTR* message, IPTR* result) override;
  void describeState(Description& out) const override;

 private:
  size_t room() const;  // characters the text may hold
  std::string fitted_;  // a set's text cut to the room there is
  void storeNumberText(IPTR number);
};

}  // namespace mui
