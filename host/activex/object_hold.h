// Keeps a control and its module alive while its code waits on someone else: a modal loop (a
// message box, the About box, a modal form) or a call out to the container (an event, a change
// notification, a site call). A host may release the control or free unused libraries from inside
// that wait; the control's code still has to return through its own frames.
//
//   const ObjectHold hold(holder());  // first local of the method, so it ends last
//
// A null object (one being destroyed: its count must not rise again) holds nothing.
// The hold's reference is given back when the hold ends, unless it is the last one: then the
// control's own windows may still be on the stack below (a handler of their messages), so the
// reference and the module lock are given back from the thread's next message instead.
#pragma once

#include <unknwn.h>

namespace dnovar {

class ObjectHold {
 public:
  explicit ObjectHold(IUnknown* object) noexcept;
  ~ObjectHold();
  ObjectHold(const ObjectHold&) = delete;
  ObjectHold& operator=(const ObjectHold&) = delete;

 private:
  IUnknown* object_;
};

}  // namespace dnovar
