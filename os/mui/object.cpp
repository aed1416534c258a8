#include "os/mui/object.h"

#include <cstdio>
#include <exception>

#include "os/mui/call_log.h"
#include "os/mui/description.h"
#include "os/mui/faults.h"
#include "os/mui/live_objects.h"

using mui::AttrKind;
using mui::AttrSpec;
using mui::MuiClass;

namespace {
bool notifiesAsGiven(const AttrSpec& spec) {
  return spec.kind == AttrKind::Event || spec.kind == AttrKind::TextEvent;
}
}  // namespace

bool Object::create(const TagItem* tags) {
  // Children first: every object handed over is ours from here on, so a
  // failure disposes them all with this object.
  bool complete = true;
  std::exception_ptr refused;  // a strict-mode fault, raised once every child is taken
  TagItem* state = const_cast<TagItem*>(tags);
  while (TagItem* item = NextTagItem(&state)) {
    const AttrSpec* spec = muiClass->findAttr(item->ti_Tag);
    if (!spec || spec->kind != AttrKind::Child) continue;
    try {
      if (!takeChild(item->ti_Tag, reinterpret_cast<Object*>(item->ti_Data))) complete = false;
    } catch (...) {
      if (!refused) refused = std::current_exception();
      complete = false;
    }
  }
  if (refused) std::rethrow_exception(refused);
  if (!complete) return false;
  state = const_cast<TagItem*>(tags);
  while (TagItem* item = NextTagItem(&state)) {
    const AttrSpec* spec = muiClass->findAttr(item->ti_Tag);
    if (!spec) {
      mui::strictFault("%s: unknown attribute %s at creation", muiClass->name, mui::attributeName(item->ti_Tag));
      continue;
    }
    if (spec->kind == AttrKind::Child) continue;
    if (!(spec->usage & mui::ATTR_I)) {
      mui::strictFault("%s: %s cannot be given at creation", muiClass->name, spec->name);
      continue;
    }
    initTag(*spec, item->ti_Data);
  }
  return finishCreate();
}

bool Object::takeChild(Tag tag, Object* child) {
  if (!child) return false;
  if (!mui::isLive(child)) {
    mui::fault("%s: %s is not an object", muiClass->name, mui::attributeName(tag));
    return false;
  }
  if (child->parent) {
    mui::fault("%s: %s already belongs to %s", muiClass->name, child->label().c_str(), child->parent->label().c_str());
    return false;
  }
  adopt(child);
  if (const AttrSpec* spec = muiClass->findAttr(tag)) store(*spec, reinterpret_cast<IPTR>(child));
  return true;
}

void Object::set(Tag tag, IPTR data, unsigned mode) {
  mui::logSet(this, tag, data);
  if (redirectSet(tag, data, mode)) return;
  const MuiClass* owner = nullptr;
  const AttrSpec* spec = muiClass->findAttr(tag, &owner);
  const bool direct = !(mode & mui::SET_FORWARDED);
  bool kept = false;
  if (!spec) {
    if (direct) mui::strictFault("%s: unknown attribute %s", muiClass->name, mui::attributeName(tag));
  } else if (!(spec->usage & mui::ATTR_S) || spec->kind == AttrKind::Child) {
    if (direct) mui::strictFault("%s: %s cannot be set", muiClass->name, spec->name);
  } else if (filterSet(tag, data)) {
    store(*spec, data);
    kept = true;
    afterSet(tag, notifiesAsGiven(*spec) ? data : value(tag));
  }
  const uint32_t me = serial;
  passOn(tag, data, mode, owner);
  if (!kept || !(mode & mui::SET_NOTIFY) || !mui::isLive(this, me)) return;
  if (spec->kind == AttrKind::Text || spec->kind == AttrKind::Contents) {
    // The actions see a copy: one of them may set this text again.
    const char* now = text(tag);
    if (!now) {
      mui::fireNotifications(this, tag, 0);
      return;
    }
    const std::string copy = now;
    mui::fireNotifications(this, tag, reinterpret_cast<IPTR>(copy.c_str()));
    return;
  }
  mui::fireNotifications(this, tag, notifiesAsGiven(*spec) ? data : value(tag));
}

bool Object::get(Tag tag, IPTR* storage) {
  if (computeGet(tag, storage)) return true;
  const AttrSpec* spec = muiClass->findAttr(tag);
  if (!spec || !(spec->usage & mui::ATTR_G)) {
    *storage = 0;
    mui::strictFault("%s: %s cannot be read", muiClass->name, mui::attributeName(tag));
    return false;
  }
  *storage = value(tag);
  return true;
}

IPTR Object::method(const IPTR* message) {
  mui::logMethod(this, message);
  IPTR result = 0;
  if (dispatch(message, &result)) return result;
  mui::strictFault("%s: unknown method %s", muiClass->name, mui::methodName(static_cast<uint32_t>(message[0])));
  return 0;
}

bool Object::dispatch(const IPTR* message, IPTR* result) {
  switch (static_cast<uint32_t>(message[0])) {
    case MUIM_Notify:
      mui::addNotification(this, message);
      return true;
    case MUIM_KillNotify:
      mui::removeNotifications(this, static_cast<Tag>(message[1]));
      return true;
    case MUIM_CallHook:
      *result = CallHookPkt(reinterpret_cast<Hook*>(message[1]), this, const_cast<IPTR*>(message + 2));
      return true;
    case MUIM_Set:
      set(static_cast<Tag>(message[1]), message[2], mui::SET_NOTIFY);
      *result = 1;
      return true;
    case MUIM_NoNotifySet:
      set(static_cast<Tag>(message[1]), message[2], 0);
      *result = 1;
      return true;
    default:
      return false;
  }
}

const Object::Value* Object::find(Tag tag) const {
  for (const Value& v : values_)
    if (v.tag == tag) return &v;
  return nullptr;
}

IPTR Object::value(Tag tag) const {
  if (const Value* v = find(tag)) return v->hasText ? reinterpret_cast<IPTR>(v->text.c_str()) : v->word;
  const AttrSpec* spec = muiClass->findAttr(tag);
  if (!spec) return 0;
  if (spec->kind == AttrKind::Contents) return reinterpret_cast<IPTR>("");
  return spec->defaultValue;
}

const char* Object::text(Tag tag) const { return reinterpret_cast<const char*>(value(tag)); }

void Object::store(const AttrSpec& spec, IPTR data) {
  if (spec.kind == AttrKind::Event || spec.kind == AttrKind::TextEvent) return;
  Value* v = const_cast<Value*>(find(spec.tag));
  if (!v) {
    values_.push_back(Value{spec.tag, 0, false, {}});
    v = &values_.back();
  }
  switch (spec.kind) {
    case AttrKind::Flag:
      v->word = data ? 1 : 0;
      break;
    case AttrKind::Text:
    case AttrKind::Contents: {
      const char* given = reinterpret_cast<const char*>(data);
      // Copied before it replaces the old text: it may be the old text.
      std::string copy = given ? given : "";
      v->text.swap(copy);
      v->hasText = given || spec.kind == AttrKind::Contents;
      v->word = 0;
      break;
    }
    default:
      v->word = data;
      break;
  }
}

void Object::adopt(Object* child) {
  child->parent = this;
  children.push_back(child);
}

bool Object::release(Object* child) {
  for (auto it = children.begin(); it != children.end(); ++it)
    if (*it == child) {
      children.erase(it);
      child->parent = nullptr;
      return true;
    }
  return false;
}

IPTR Object::addMember(Object* member) {
  if (!member || !mui::isLive(member)) {
    mui::fault("%s: OM_ADDMEMBER of something that is not an object", label().c_str());
    return 0;
  }
  if (member->parent) {
    mui::fault("%s: OM_ADDMEMBER of %s, which belongs to %s", label().c_str(), member->label().c_str(),
               member->parent->label().c_str());
    return 0;
  }
  for (const Object* above = this; above; above = above->parent)
    if (above == member) {
      // It would hold itself: disposal and forwarding would never end.
      mui::fault("%s: OM_ADDMEMBER of %s, which holds it", label().c_str(), member->label().c_str());
      return 0;
    }
  adopt(member);
  return 1;
}

IPTR Object::removeMember(Object* member) {
  if (member && mui::isLive(member) && release(member)) return 1;
  mui::fault("%s: OM_REMMEMBER of something that is not a member", label().c_str());
  return 0;
}

Object* Object::ancestorOfClass(const char* className) {
  for (Object* o = this; o; o = o->parent)
    if (o->muiClass->isA(className)) return o;
  return nullptr;
}

std::string Object::label() const {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%s#%u", muiClass->dumpName, static_cast<unsigned>(serial));
  return buffer;
}

void Object::describe(mui::Description& out) const { out.name = muiClass->dumpName; }
