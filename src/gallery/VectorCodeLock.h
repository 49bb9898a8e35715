// VectorCodeLock: libvips compiles the vertical step of every thumbnail's resize to machine code
// at run time (liborc) and frees that code when the thumbnail's pipeline ends. The liborc of
// Debian 12 (0.4.33) hands out code memory under a lock but takes it back without one, so two
// pipelines ending at once on two workers corrupted its list of code blocks and crashed builds.
// This file gives liborc's two entry points that libvips uses for it, compiling a program and
// freeing one, a lock of this program's own: the process's calls to them reach these first.
#pragma once

namespace zetgallery {

// Whether libvips's calls to compile and free liborc programs reach the locked entry points of
// this file (and these found liborc's own). When they do not, run-time compiled code must stay
// off: libvips then uses its plain C loops. Safe on any thread.
bool VectorCodeIsLocked();

}  // namespace zetgallery
