#pragma once
// Loading a shared library by name at run time and finding its exports, for
// code that must still run when the library is not installed.

namespace tk {

// Loads the library whose file name the platform makes from baseName
// ("KORDRV": KORDRV.dll on Windows, libKORDRV.so on Linux), found by the
// platform's usual search for a bare file name, less the working directory
// (on Linux the loader never looks there unless the library path says so).
// Returns its handle, or null when it cannot be loaded; a failure shows
// nothing and leaves nothing loaded. Every successful call counts as one more
// load of the library.
void* loadLibrary(const char* baseName);

// The address of the export called name in a loaded library, or null when the
// library has no such export.
void* findSymbol(void* library, const char* name);

}
