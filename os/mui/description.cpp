#include "os/mui/description.h"

#include <cstdio>

#include "os/mui/object.h"

namespace mui {

std::string quoted(const char* text) {
  std::string out = "\"";
  for (const char* p = text ? text : ""; *p; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case 27: out += "\\e"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 32 || c == 127) {
          char hex[8];
          std::snprintf(hex, sizeof hex, "\\x%02x", c);
          out += hex;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

std::string dumpTree(const Object* object) {
  if (!object) return "NIL";
  Description d;
  object->describe(d);
  std::string out = d.name;
  if (!d.props.empty()) {
    out += "(";
    for (size_t i = 0; i < d.props.size(); ++i) out += (i ? "," : "") + d.props[i];
    out += ")";
  }
  if (d.hasText) out += " " + quoted(d.text.c_str());
  if (!object->children.empty()) {
    out += "[";
    for (size_t i = 0; i < object->children.size(); ++i) out += (i ? " " : "") + dumpTree(object->children[i]);
    out += "]";
  }
  return out;
}

}  // namespace mui
