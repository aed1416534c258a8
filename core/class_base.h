// The root of every class of the program.
//
// Objects live in two phases: memory comes zero-filled from the process-wide
// allocator and the object is marked alive; then its constructor method
// new_<Class>(...) runs. end_class() releases what the object owns and calls
// its base's end_class(); End(p) runs it exactly once, frees the object and
// clears the pointer. C++ destructors only free memory.
#pragma once
#include <cstddef>
#include <cstring>

class class_base {
 public:
  static void* operator new(size_t size);
  static void operator delete(void* block);

  class_base() = default;
  class_base(const class_base&) = delete;
  class_base& operator=(const class_base&) = delete;
  virtual ~class_base() = default;

  // Releases what the object owns. Overrides call their base's end_class last.
  virtual void end_class() {}
  // The class's own name ("cFile").
  virtual const char* InfoClassType() const { return "class_base"; }
  // TRUE when the object is of the named class or derives from it.
  virtual bool IsOfClassType(const char* name) const { return std::strcmp(name, "class_base") == 0; }
  // TRUE when both objects are of exactly the same class.
  bool IsSameClassTypeAs(const class_base* other) const {
    return other && std::strcmp(InfoClassType(), other->InfoClassType()) == 0;
  }

  bool infoIsAlive() const { return alive_; }

 private:
  template <class T> friend void End(T*& object);
  friend void EndObject(class_base* object);
  bool alive_ = true;
};

// Declares a class's name and its place in the class chain. Use inside the
// class body: LUDEX_CLASS(cFile, cHostFile). Its methods find their own
// class's name as className (the object's may be a derived one).
#define LUDEX_CLASS(Self, Base)                                                     \
 public:                                                                            \
  static constexpr const char* className = #Self;                                   \
  const char* InfoClassType() const override { return #Self; }                      \
  bool IsOfClassType(const char* name) const override {                             \
    return std::strcmp(name, #Self) == 0 || Base::IsOfClassType(name);              \
  }

// Ends the object exactly once (guarded by its alive mark) and frees it. An
// error from end_class still frees the object, then passes on. NIL is ignored,
// and so is an object whose ending is under way (an inner End of it from some
// end_class): the call that started ending it frees it.
void EndObject(class_base* object);

// As EndObject, and clears the caller's pointer first.
template <class T>
void End(T*& object) {
  class_base* o = object;
  object = nullptr;
  EndObject(o);
}

// The root of callback objects: comparators, notifications, producers, walk
// actions. Each kind adds its own `call` method.
class function : public class_base {
  LUDEX_CLASS(function, class_base)
 public:
  virtual void new_function() {}
};
