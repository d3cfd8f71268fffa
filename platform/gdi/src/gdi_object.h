// The handle table. Every GDI object lives here behind an opaque handle: a
// number that is never reused, so a stale handle finds nothing instead of a
// newer object. Lookups check the type, so a pen passed as a bitmap fails.
//
// Lifetime: an object selected into a DC counts its selections. DeleteObject
// of a selected pen, brush or font only marks it; the last deselection frees
// it. A selected bitmap is not deleted (FALSE). Stock objects never die.
#pragma once

#include <memory>

#include "wingdi.h"

namespace kygdi {

struct GdiObject {
  DWORD type = 0;  // OBJ_PEN, OBJ_BRUSH, ...
  int selections = 0;
  bool stock = false;
  bool delete_pending = false;
  explicit GdiObject(DWORD t) : type(t) {}
  virtual ~GdiObject() = default;
  // GetObject: bytes written into pv (or needed when pv is null), 0 on failure.
  virtual int GetObjectData(int cb, void* pv) const { return 0; }
};

// Takes ownership and returns the new handle, or NULL for a null object.
HGDIOBJ AddObject(std::unique_ptr<GdiObject> obj);
// The live object behind h when its type matches (0: any type), else null
// with ERROR_INVALID_HANDLE.
GdiObject* LookupObject(HGDIOBJ h, DWORD type = 0);
template <class T>
T* Lookup(HGDIOBJ h, DWORD type) {
  return static_cast<T*>(LookupObject(h, type));
}
// Frees the object at once (no selection check). FALSE for a bad handle.
bool FreeObject(HGDIOBJ h);
// Bookkeeping of DCs for selections: call when a DC starts or stops using h.
void NoteSelected(HGDIOBJ h);
void NoteDeselected(HGDIOBJ h);
// Marks obj as a stock object and returns its handle.
HGDIOBJ AddStockObject(std::unique_ptr<GdiObject> obj);

// Makes the object of a stock font index (OEM_FIXED_FONT ... DEFAULT_GUI_FONT).
// The text code defines the strong version; the weak default gives a bare font
// object so that stock fonts can be selected before text exists.
std::unique_ptr<GdiObject> MakeStockFont(int index);

}  // namespace kygdi
