#pragma once
// A function of a DLL looked up at run time: one the oldest supported
// Windows lacks, or one of a DLL that is loaded only when first needed.
#include <windows.h>

namespace velomar::platform {

// nullptr when the module lacks it.
template <typename Function>
Function EntryPoint(HMODULE module, const char* name) {
  // GetProcAddress answers with a generic function pointer.
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace velomar::platform
