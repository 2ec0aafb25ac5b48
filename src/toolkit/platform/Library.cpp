#include "toolkit/platform/Library.h"

#include <algorithm>
#include <string>

#ifdef _WIN32
#include <vector>
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace tk {

#ifdef _WIN32
namespace {

    // Windows' search for a bare DLL name less the working directory: the
    // program's folder, the system folders, then PATH. Made here rather than
    // left to LoadLibrary, since Wine keeps the working directory in its
    // search although SetDllDirectoryW(L"") takes it out on Windows.
    std::wstring findLibrary(const std::wstring& file)
    {
        std::vector<std::wstring> folders;
        wchar_t buffer[MAX_PATH];
        const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
        const std::wstring program(buffer, length);
        folders.push_back(program.substr(0, program.find_last_of(L"\\/")));
        folders.emplace_back(buffer, GetSystemDirectoryW(buffer, MAX_PATH));
        folders.emplace_back(buffer, GetWindowsDirectoryW(buffer, MAX_PATH));
        if (const DWORD size = GetEnvironmentVariableW(L"PATH", nullptr, 0)) {
            std::wstring path(size, L'\0');
            path.resize(GetEnvironmentVariableW(L"PATH", path.data(), size));
            for (size_t start = 0; start <= path.size();) {
                const size_t end = std::min(path.find(L';', start), path.size());
                if (end > start)
                    folders.push_back(path.substr(start, end - start));
                start = end + 1;
            }
        }
        for (const std::wstring& folder : folders) {
            const std::wstring candidate = folder + L"\\" + file;
            const DWORD attributes = GetFileAttributesW(candidate.c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
                continue;
            // A relative PATH entry names a folder the user chose: made full,
            // as loading by path needs.
            std::wstring full(MAX_PATH, L'\0');
            full.resize(GetFullPathNameW(candidate.c_str(), MAX_PATH, full.data(), nullptr));
            return full;
        }
        return {};
    }

}
#endif

void* loadLibrary(const char* baseName)
{
#ifdef _WIN32
    // Windows would look in the working directory too, where anyone can leave
    // a library of that name for the program to run. Taken out of the search
    // once, before the first load.
    [[maybe_unused]] static const bool withoutWorkingDirectory = SetDllDirectoryW(L"") != 0;
    const std::string name = std::string(baseName) + ".dll";
    const std::wstring file = findLibrary(std::wstring(name.begin(), name.end()));
    // Its own dependencies are searched for from its folder.
    return file.empty() ? nullptr : LoadLibraryExW(file.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
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
