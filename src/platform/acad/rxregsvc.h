// Locking of loaded modules against unloading.
#pragma once

// Modules are locked against unloading from the moment they load. appId is the packet of the
// module's kInitAppMsg. Both answer true on success, false for an id that names no loaded module.
bool acrxUnlockApplication(void* appId);
bool acrxLockApplication(void* appId);
// True when the module loaded under that file name is locked; false when it is unlocked, not
// loaded, or the name is null.
bool acrxApplicationIsLocked(const char* moduleName);
