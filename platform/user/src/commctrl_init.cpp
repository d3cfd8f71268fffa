// Registration of the common control classes. Each family adds its
// registration function with a KyCommonClassRegistrar at load time; the
// window system runs them all once, with its own classes.
#include <vector>

#include "commctrl.h"
#include "ctlutil.h"

namespace kyuser {
namespace {

std::vector<void (*)()>& Registrars() {
  static std::vector<void (*)()> list;
  return list;
}

bool& Ran() {
  static bool ran = false;
  return ran;
}

}  // namespace

KyCommonClassRegistrar::KyCommonClassRegistrar(void (*registerClasses)()) {
  Registrars().push_back(registerClasses);
  if (Ran()) registerClasses();
}

void RunCommonClassRegistrars() {
  if (Ran()) return;
  Ran() = true;
  for (auto fn : Registrars()) fn();
}

}  // namespace kyuser

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce) {
  if (!picce || picce->dwSize != sizeof(INITCOMMONCONTROLSEX)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  kyuser::RunCommonClassRegistrars();
  return TRUE;
}

void InitCommonControls() { kyuser::RunCommonClassRegistrars(); }
