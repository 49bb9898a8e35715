# Compiler checks of the project's own code: warnings everywhere, and the sanitizer trees.
#
# Warnings are errors only when asked for (-DCMAKE_COMPILE_WARNING_AS_ERROR=ON, as CI does):
# a newer compiler than the one CI pins brings new warnings, and those must not stop a user's
# `make run`. Imported targets (Qt, libvips, GoogleTest) are included as system headers, so
# their warnings never count.
add_compile_options(-Wall -Wextra -Wpedantic)

# ZETGALLERY_SANITIZE builds a tree for the sanitizers instead of the program:
#   address  AddressSanitizer and UndefinedBehaviorSanitizer over the core libraries and their tests
#   thread   ThreadSanitizer over the thumbnail worker tests
# tools/sanitize.sh configures, builds and runs both trees.
set(ZETGALLERY_SANITIZE "" CACHE STRING "Sanitizer tree to build: address, thread, or empty")
set_property(CACHE ZETGALLERY_SANITIZE PROPERTY STRINGS "" address thread)

if(ZETGALLERY_SANITIZE STREQUAL "address")
  set(zet_sanitizer_flags -fsanitize=address,undefined -fno-sanitize-recover=all)
elseif(ZETGALLERY_SANITIZE STREQUAL "thread")
  set(zet_sanitizer_flags -fsanitize=thread)
elseif(NOT ZETGALLERY_SANITIZE STREQUAL "")
  message(FATAL_ERROR "ZETGALLERY_SANITIZE must be address, thread or empty, not '${ZETGALLERY_SANITIZE}'")
endif()

if(zet_sanitizer_flags)
  # Unoptimised: it compiles in two thirds of the time of -O1, and the tests spend their time in
  # starting up, in libvips and in the file system, not in our code. Line tables only (-g1) give
  # the reports file and line for a twentieth more compile time; full -g would cost a quarter.
  # GCC's optimiser warns falsely under the sanitizers (-Wmaybe-uninitialized in <regex>), one
  # more reason for -O0; warnings are checked as errors in the normal tree only.
  add_compile_options(${zet_sanitizer_flags} -O0 -g1 -fno-omit-frame-pointer)
  add_link_options(${zet_sanitizer_flags})
endif()
