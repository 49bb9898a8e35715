// ImageModules: libvips's optional loaders (HEIF and AVIF, JPEG XL, ImageMagick, PDF, OpenSlide)
// are shared objects that libvips loads, with their own libraries, when it starts: about 25 ms,
// most of the start of a build, spent before the first thumbnail can begin. Most galleries are
// JPEG, PNG and GIF, which libvips reads itself, so the modules are loaded the first time a
// picture needs them instead. Only Thumbnailer.cpp uses this.
#pragma once

namespace zetgallery {

// Starts libvips (VIPS_INIT) without its modules when they can be loaded later from the
// folder beside the library; otherwise starts it as usual, modules and all. The library's own
// start-up sets VIPSHOME; the variable is left as it was before. Returns VIPS_INIT's result.
// REQUIRES: no other thread of the process is running yet (the environment is changed).
int StartVipsDeferringModules(const char* programPath);

// Loads the modules held back at start-up, once; later calls return at once. Safe on any
// thread, also while other threads use libvips.
void LoadDeferredImageModules();

}  // namespace zetgallery
