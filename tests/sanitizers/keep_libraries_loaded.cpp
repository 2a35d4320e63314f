// Linked into the sanitizer build's programs only: libraries that are
// unloaded before the leak check at exit (a GL driver leaves with the display
// it was opened for) leave stacks that name no library, and a leak of theirs
// could only be ignored wholesale. Kept loaded, every leaked block names the
// library it comes from, and the suppressions can name exactly that library.
#include <dlfcn.h>

extern "C" __attribute__((visibility("default"))) int dlclose(void* /*handle*/) { return 0; }
