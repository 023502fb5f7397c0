// Built into every program of the sanitizer and fuzzing builds (see the top-level
// CMakeLists.txt). AddressSanitizer reads these options first; ASAN_OPTIONS can still
// override each of them.
#include <sanitizer/asan_interface.h>

// A request the engine can't allocate (a script's pool of billions of particles) is refused
// with a warning, as in the plain build: the allocator answers null instead of ending the
// program, whoever runs it and however.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }
