// Pieces shared by the C interface's source files: the library behind a
// kyfsl_library handle, the one lock every call takes, the per-thread
// message and the wrapper that turns C++ failures into status codes.
#pragma once

#include <mutex>
#include <new>
#include <string>
#include <vector>

#include "KyFillStyleLib.h"
#include "kyfsl.h"

namespace kyfsl_capi {

// What a kyfsl_library handle stands for. The handle itself is not this
// object's address but a number the registry never hands out twice (see
// kyfsl_open.cpp), so a closed handle stays refused even when the memory
// of its library is reused.
struct OpenLibrary {
  CKyFillStyleLib lib;
  UINT codePage = 0;
  std::vector<std::string> names;   // UTF-8, by position
  std::vector<std::string> groupOf; // UTF-8 path of the group filing each position
  struct Group {
    std::string path;
    std::vector<int32_t> ids;
  };
  std::vector<Group> groups;  // tree order, root first
};

// Thrown inside a call to leave it with a status and a message.
struct Error {
  int status;
  std::string message;
};

// The lock serialising every call that reaches the module or the device
// layer (see the threads paragraph of kyfsl.h).
std::mutex& CallLock();

// Records the message of a failed call on this thread and returns status.
int SetError(int status, const std::string& message);
void ClearError();

// The library of a live handle, else throws Error (KYFSL_ERR_HANDLE).
// Call with CallLock held.
OpenLibrary* Live(const kyfsl_library* lib);

// The position of id in the library; throws Error (KYFSL_ERR_NOT_FOUND).
long PositionOf(const OpenLibrary& h, int32_t id);
// Throws Error (KYFSL_ERR_ARGUMENT) naming what when p is null.
inline void Need(const void* p, const char* what) {
  if (!p) throw Error{KYFSL_ERR_ARGUMENT, std::string(what) + " is NULL"};
}

// Runs body under the call lock; KYFSL_OK when it returns, else the status
// of what it threw, with the message kept for kyfsl_last_error.
template <class Body>
int Guarded(Body&& body) {
  try {
    std::lock_guard<std::mutex> hold(CallLock());
    body();
    ClearError();
    return KYFSL_OK;
  } catch (const Error& e) {
    return SetError(e.status, e.message);
  } catch (const std::bad_alloc&) {
    return SetError(KYFSL_ERR_MEMORY, "out of memory");
  } catch (...) {
    // The framework throws its exceptions as pointers; none should reach
    // here, but a call must never let one out.
    return SetError(KYFSL_ERR_RENDER, "the module failed inside the call");
  }
}

}  // namespace kyfsl_capi
