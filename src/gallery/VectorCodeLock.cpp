// VectorCodeLock: liborc's program compiling and freeing under one lock.
#include "VectorCodeLock.h"

#include <dlfcn.h>

#include <mutex>

namespace zetgallery {

namespace {

// liborc's types are opaque here; the calls pass them through unchanged. Its compile result is
// an enumeration: below 0x100 compiled, from 0x200 a fatal error (libvips then uses C loops).
using TOrcCompile = int (*)(void* program);
using TOrcFree = void (*)(void* program);
constexpr int kOrcCompileFailed = 0x200;

// Recursive, in case liborc itself calls one entry point from inside the other.
std::recursive_mutex& CodeLock() {
  static std::recursive_mutex lock;
  return lock;
}

// liborc's own functions: the next definitions after this program's in the lookup order.
TOrcCompile RealCompile() {
  static const auto compile =
      reinterpret_cast<TOrcCompile>(dlsym(RTLD_NEXT, "orc_program_compile"));
  return compile;
}

TOrcFree RealFree() {
  static const auto release = reinterpret_cast<TOrcFree>(dlsym(RTLD_NEXT, "orc_program_free"));
  return release;
}

}  // namespace

}  // namespace zetgallery

// Defined with liborc's names and C linkage, so that the dynamic linker binds libvips's calls
// here (the executable comes first in the lookup order, and the linker exports these because
// libvips refers to them).
extern "C" {

using zetgallery::CodeLock;
using zetgallery::kOrcCompileFailed;
using zetgallery::RealCompile;
using zetgallery::RealFree;
using zetgallery::TOrcCompile;
using zetgallery::TOrcFree;

int orc_program_compile(void* program) {
  const TOrcCompile compile = RealCompile();
  if (compile == nullptr) return kOrcCompileFailed;
  std::lock_guard<std::recursive_mutex> hold(CodeLock());
  return compile(program);
}

void orc_program_free(void* program) {
  const TOrcFree release = RealFree();
  if (release == nullptr) return;
  std::lock_guard<std::recursive_mutex> hold(CodeLock());
  release(program);
}

}  // extern "C"

namespace zetgallery {

bool VectorCodeIsLocked() {
  if (RealCompile() == nullptr || RealFree() == nullptr) return false;
  return dlsym(RTLD_DEFAULT, "orc_program_compile") ==
             reinterpret_cast<void*>(&orc_program_compile) &&
         dlsym(RTLD_DEFAULT, "orc_program_free") == reinterpret_cast<void*>(&orc_program_free);
}

}  // namespace zetgallery
