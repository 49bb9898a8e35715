// ImageModules: libvips started without its modules, which come on first need.
#include "ImageModules.h"

#include <gmodule.h>
#include <link.h>
#include <vips/vips.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <system_error>
#include <vector>

namespace zetgallery {

namespace fs = std::filesystem;

namespace {

std::once_flag g_loadOnce;
// Set at start-up, before any other thread runs; read-only afterwards.
std::string g_deferredFolder;  // empty when nothing was held back
bool g_blockUntrusted = false;

// The folder of the libvips library file loaded into this process, or empty.
std::string LibraryFolder() {
  std::string folder;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* data) {
        const fs::path path(info->dlpi_name != nullptr ? info->dlpi_name : "");
        if (!path.filename().string().starts_with("libvips.so")) return 0;
        *static_cast<std::string*>(data) = path.parent_path().string();
        return 1;
      },
      &folder);
  return folder;
}

// Where this libvips keeps its modules ("vips-modules-MAJOR.MINOR" beside the library, as
// installed), when that folder exists.
std::string ModuleFolder() {
  const std::string library = LibraryFolder();
  if (library.empty()) return {};
  const fs::path folder = fs::path(library) / ("vips-modules-" + std::to_string(vips_version(0)) +
                                               "." + std::to_string(vips_version(1)));
  std::error_code error;
  return fs::is_directory(folder, error) ? folder.string() : std::string();
}

}  // namespace

int StartVipsDeferringModules(const char* programPath) {
  // VIPSHOME chosen by the user names another installation: libvips is left to it.
  if (std::getenv("VIPSHOME") != nullptr) return VIPS_INIT(programPath);
  const std::string modules = ModuleFolder();
  if (modules.empty()) return VIPS_INIT(programPath);
  // libvips looks for its modules under VIPSHOME; a home that cannot hold folders has none.
  // It takes nothing else from there that a build uses (only its own message translations).
  setenv("VIPSHOME", "/dev/null", 1);
  const int result = VIPS_INIT(programPath);
  unsetenv("VIPSHOME");
  if (result == 0) {
    g_deferredFolder = modules;
    g_blockUntrusted = std::getenv("VIPS_BLOCK_UNTRUSTED") != nullptr;
  }
  return result;
}

void LoadDeferredImageModules() {
  std::call_once(g_loadOnce, [] {
    if (g_deferredFolder.empty() || !g_module_supported()) return;
    std::vector<fs::path> files;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(g_deferredFolder, error))
      if (entry.path().extension() == "." G_MODULE_SUFFIX) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    // As libvips loads them itself: a module that fails to load is passed over, and one that
    // loaded stays, since the types it registered cannot go away.
    for (const fs::path& file : files)
      if (GModule* module = g_module_open(file.c_str(), G_MODULE_BIND_LAZY))
        g_module_make_resident(module);
    // The lock on untrusted loaders, asked for by the environment, covers these loaders too.
    if (g_blockUntrusted) vips_block_untrusted_set(TRUE);
  });
}

}  // namespace zetgallery
