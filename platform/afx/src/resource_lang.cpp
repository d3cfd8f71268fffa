#include <cstdlib>
#include <cstring>

#include "winnls.h"

namespace {

thread_local LANGID t_threadLanguage = 0;

const char* Env(const char* name) {
  const char* v = std::getenv(name);
  return v && *v ? v : nullptr;
}

bool IsCLocale(const char* v) { return std::strcmp(v, "C") == 0 || std::strcmp(v, "POSIX") == 0; }

LANGID FromLocaleName(const char* v) {
  return std::strncmp(v, "zh", 2) == 0 ? LANGID_CHINESE_SIMPLIFIED : LANGID_ENGLISH_US;
}

}  // namespace

LANGID GetUserDefaultUILanguage() {
  // The locale of messages, as the C library chooses it.
  const char* locale = Env("LC_ALL");
  if (!locale) locale = Env("LC_MESSAGES");
  if (!locale) locale = Env("LANG");
  if (locale && IsCLocale(locale)) return LANGID_ENGLISH_US;
  // LANGUAGE is a list of preferences and wins over the locale unless the
  // locale is C; only its first entry counts here.
  if (const char* list = Env("LANGUAGE")) return FromLocaleName(list);
  return locale ? FromLocaleName(locale) : LANGID_ENGLISH_US;
}

LANGID GetSystemDefaultUILanguage() { return GetUserDefaultUILanguage(); }

LCID GetUserDefaultLCID() { return MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT); }

LANGID GetThreadUILanguage() { return t_threadLanguage ? t_threadLanguage : GetUserDefaultUILanguage(); }

LANGID SetThreadUILanguage(LANGID LangId) {
  if (LangId != 0 && PRIMARYLANGID(LangId) == LANG_NEUTRAL) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  t_threadLanguage = LangId;
  return GetThreadUILanguage();
}
