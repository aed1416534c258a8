// TextEditor.mcc: a multi-line text field. The program reads its text with
// MUIM_TextEditor_ExportText (a block it frees with FreeVec), with or
// without style codes as the export hook says; an edit by the user sets
// MUIA_TextEditor_HasChanged to 1 (notifying), and the program sets it back.
#pragma once
#include <string>

#include "os/mui/classes/area.h"
#include "os/mui/driver/user_actions.h"
#include "os/mui/mui_lists.h"

namespace mui {

class TextEditor : public Area, public TextUserActions {
 public:
  std::string userText() const override;
  void userEditText(const char* text) override;

 protected:
  bool dispatch(const IPTR* message, IPTR* result) override;
  void describeState(Description& out) const override;
};

}  // namespace mui
