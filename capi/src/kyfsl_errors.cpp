#include <string>

#include "capi_internal.h"

namespace kyfsl_capi {

namespace {
thread_local std::string t_message;
}  // namespace

int SetError(int status, const std::string& message) {
  t_message = message;
  return status;
}

void ClearError() { t_message.clear(); }

}  // namespace kyfsl_capi

extern "C" {

const char* kyfsl_last_error(void) { return kyfsl_capi::t_message.c_str(); }

const char* kyfsl_status_name(int status) {
  static const char* const kNames[] = {"KYFSL_OK",          "KYFSL_ERR_ARGUMENT", "KYFSL_ERR_HANDLE",
                                       "KYFSL_ERR_NOT_FOUND", "KYFSL_ERR_FORMAT",   "KYFSL_ERR_IO",
                                       "KYFSL_ERR_BUFFER",  "KYFSL_ERR_RANGE",    "KYFSL_ERR_RENDER",
                                       "KYFSL_ERR_MEMORY"};
  if (status < 0 || status >= static_cast<int>(sizeof kNames / sizeof kNames[0])) return "unknown";
  return kNames[status];
}

const char* kyfsl_version(void) { return "1.0.0"; }

}  // extern "C"
