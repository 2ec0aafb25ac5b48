#include "toolkit/platform/Library.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace tk {

void* loadLibrary(const char* baseName)
{
#ifdef _WIN32
    // Windows would look in the working directory too, where anyone can leave
    // a library of that name for the program to run. Taken out of the search
    // once, before the first load.
    [[maybe_unused]] static const bool withoutWorkingDirectory = SetDllDirectoryW(L"") != 0;
    return LoadLibraryA((std::string(baseName) + ".dll").c_str());
#else
#ifdef __APPLE__
    const std::string file = "lib" + std::string(baseName) + ".dylib";
#else
    const std::string file = "lib" + std::string(baseName) + ".so";
#endif
    // Without a slash in the name the dynamic loader searches LD_LIBRARY_PATH,
    // its cache and the system directories, as a bare name does on Windows;
    // the working directory only when the library path names it.
    // RTLD_NOW makes a library with unresolvable dependencies fail here, as
    // LoadLibrary would, rather than at some later call into it.
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        dlerror(); // so that the failure is not left behind for unrelated code to find
    return handle;
#endif
}

void* findSymbol(void* library, const char* name)
{
#ifdef _WIN32
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
#else
    void* address = dlsym(library, name);
    if (!address)
        dlerror();
    return address;
#endif
}

}
