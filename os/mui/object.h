// The engine's object: every MUI object is one. It keeps its class, its
// attribute values, the objects it owns (children, in order), its parent and
// its notifications, and runs the generic parts of creation, set, get,
// methods and disposal; classes override the virtual steps.
#pragma once
#include <cstdint>
#include <string>
#include <deque>
#include <vector>

#include "os/mui/mui_class.h"
#include "os/mui/notification.h"

namespace mui {

enum SetMode : unsigned {
  SET_NOTIFY = 1,     // notifications fire
  SET_FORWARDED = 2,  // passed on by a group: a tag the object does not know is no fault
};

struct Description;

}  // namespace mui

struct Object {
  virtual ~Object() = default;

  const mui::MuiClass* muiClass = nullptr;
  uint32_t serial = 0;  // unique for the process's lifetime (after a test reset: from 1 again)
  Object* parent = nullptr;
  std::vector<Object*> children;  // owned
  std::vector<mui::Notification> notifications;

  // Creation: the object tags (children) are taken first, so that every one is
  // owned even when another tag fails; then the other tags in order. FALSE
  // when the object cannot be made (the caller disposes it).
  bool create(const TagItem* tags);
  void set(Tag tag, IPTR data, unsigned mode);
  bool get(Tag tag, IPTR* storage);
  IPTR method(const IPTR* message);

  // The kept value of an attribute, or its class default.
  IPTR value(Tag tag) const;
  const char* text(Tag tag) const;
  bool flag(Tag tag) const { return value(tag) != 0; }
  // Keeps a value the way its attribute says (copies texts), without notifying.
  void store(const mui::AttrSpec& spec, IPTR data);

  void adopt(Object* child);
  // Takes a child out (it is the caller's then); FALSE when it is not a child.
  bool release(Object* child);
  // OM_ADDMEMBER and OM_REMMEMBER for classes that have members (groups, and
  // the application's windows): a fault for what is not an object, a member
  // that belongs elsewhere, or one that is not a member. Answer 1 when done.
  IPTR addMember(Object* member);
  IPTR removeMember(Object* member);
  // The nearest object above (or this one) of the named class.
  Object* ancestorOfClass(const char* className);
  std::string label() const;  // "String#3"

 protected:
  // Creation steps. takeChild: an owned object given at creation (NIL: the
  // creation fails). finishCreate: after all tags, for rules between them.
  virtual bool takeChild(Tag tag, Object* child);
  virtual bool finishCreate() { return true; }
  // A tag given at creation (not a child), after the class allowed it.
  virtual void initTag(const mui::AttrSpec& spec, IPTR data) { store(spec, data); }
  // A set of a known, settable attribute: may change the value or refuse it (FALSE).
  virtual bool filterSet(Tag, IPTR&) { return true; }
  // After a set was kept (before notifications): follow-up work.
  virtual void afterSet(Tag, IPTR) {}
  // A set that goes elsewhere instead of to this object; TRUE when handled.
  virtual bool redirectSet(Tag, IPTR, unsigned) { return false; }
  // After this object took (or did not know) a set: pass it on (groups).
  virtual void passOn(Tag, IPTR, unsigned, const mui::MuiClass* /*owner*/) {}
  // A get this class answers itself (views of other attributes); TRUE when answered.
  virtual bool computeGet(Tag, IPTR*) { return false; }
  // Class methods: TRUE when the method is this class's, with *result set.
  virtual bool dispatch(const IPTR* message, IPTR* result);

 public:
  // Before the object and its children are freed (the object is still whole).
  virtual void disposing() {}
  // For the dump: the class's name, its state in brief and its shown text.
  virtual void describe(mui::Description& out) const;

 private:
  struct Value {
    Tag tag;
    IPTR word;
    bool hasText;
    std::string text;
  };
  std::deque<Value> values_;  // a deque: a text handed out stays where it is while others are added
  const Value* find(Tag tag) const;
};
