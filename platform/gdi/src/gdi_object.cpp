#include "gdi_object.h"

#include <unordered_map>

namespace kygdi {
namespace {

// Handles count up from a base that no small integer or pointer-looking value
// reaches by accident, in steps of 4 so that a handle is never odd.
struct HandleTable {
  std::unordered_map<uintptr_t, std::unique_ptr<GdiObject>> objects;
  uintptr_t next = 0x10000;
};

HandleTable& Table() {
  static HandleTable* table = new HandleTable;  // outlives every static wrapper
  return *table;
}

}  // namespace

HGDIOBJ AddObject(std::unique_ptr<GdiObject> obj) {
  if (!obj) return nullptr;
  HandleTable& t = Table();
  uintptr_t h = t.next;
  t.next += 4;
  t.objects.emplace(h, std::move(obj));
  return reinterpret_cast<HGDIOBJ>(h);
}

HGDIOBJ AddStockObject(std::unique_ptr<GdiObject> obj) {
  if (obj) obj->stock = true;
  return AddObject(std::move(obj));
}

GdiObject* LookupObject(HGDIOBJ h, DWORD type) {
  HandleTable& t = Table();
  auto it = t.objects.find(reinterpret_cast<uintptr_t>(h));
  if (it == t.objects.end() || (type != 0 && it->second->type != type)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return it->second.get();
}

bool FreeObject(HGDIOBJ h) {
  HandleTable& t = Table();
  auto it = t.objects.find(reinterpret_cast<uintptr_t>(h));
  if (it == t.objects.end()) return false;
  // Destroying an object may free others (a DC deselects its objects), so
  // take it out of the table before its destructor runs.
  std::unique_ptr<GdiObject> obj = std::move(it->second);
  t.objects.erase(it);
  obj.reset();
  return true;
}

void NoteSelected(HGDIOBJ h) {
  if (GdiObject* o = LookupObject(h)) ++o->selections;
}

void NoteDeselected(HGDIOBJ h) {
  GdiObject* o = LookupObject(h);
  if (!o) return;
  if (o->selections > 0) --o->selections;
  if (o->selections == 0 && o->delete_pending) FreeObject(h);
}

__attribute__((weak)) std::unique_ptr<GdiObject> MakeStockFont(int index) {
  return std::make_unique<GdiObject>(OBJ_FONT);
}

}  // namespace kygdi
