// One object's line in the dump of a tree: its class's short name, its state
// in brief, its shown text; the children follow in brackets:
//   Group(V)[Group(cols=2)[Label "Name" String ""] Rectangle(filler)]
#pragma once
#include <string>
#include <vector>

struct Object;

namespace mui {

struct Description {
  std::string name;
  std::vector<std::string> props;
  bool hasText = false;
  std::string text;

  void prop(const std::string& p) { props.push_back(p); }
  void show(const char* t) {
    hasText = true;
    text = t ? t : "";
  }
};

// A text in double quotes with \" \\ \e (escape) \n \t and \xNN for other controls.
std::string quoted(const char* text);
// The dump of the object and everything under it.
std::string dumpTree(const Object* object);

}  // namespace mui
