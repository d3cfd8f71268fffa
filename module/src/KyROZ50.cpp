// The module's entry point and InitKyROZ50DLL.
// FIXME: joined to the resource chain once resources exist.
