#include "app/window_start.h"

#include <dlfcn.h>

#include <cstdio>
#include <filesystem>

#include "app/data_files.h"
#include "app/window_module.h"

namespace ovek {

namespace {

// Beside the program in the build tree, otherwise the installed library
// folder (bin/../lib/pexolen), both found from the running program's path.
std::filesystem::path windowModule()
{
    const std::filesystem::path dir = programFolder();
    if (dir.empty())
        return PEXOLEN_WINDOW_MODULE;   // the loader's search path, never the working folder
    const std::filesystem::path beside = dir / PEXOLEN_WINDOW_MODULE;
    std::error_code ec;
    if (std::filesystem::exists(beside, ec))
        return beside;
    return (dir / PEXOLEN_INSTALLED_WINDOW_DIR / PEXOLEN_WINDOW_MODULE).lexically_normal();
}

}  // namespace

int startWindow(const WindowArgs* args)
{
    const std::filesystem::path module = windowModule();
    // Never closed: the toolkit's exit handlers and the leak check at exit
    // still find the module's code.
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* entry = handle ? dlsym(handle, "pexolen_start_window") : nullptr;
    if (!entry) {
        const char* reason = dlerror();
        std::fprintf(stderr, "pexolen: cannot load the window from %s: %s\n", module.c_str(),
                     reason ? reason : "no entry point");
        return 1;
    }
    return reinterpret_cast<decltype(&pexolen_start_window)>(entry)(args);
}

}  // namespace ovek
