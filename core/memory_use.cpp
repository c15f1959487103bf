// glibc keeps freed blocks in its heaps, and once it has raised its mmap
// threshold past the size of the texture buffers, those come from the heap
// too; the free pages between blocks in use stay resident until trimmed.
#include "core/memory_use.h"

#include <cstdlib>  // names the C library (__GLIBC__)
#ifdef __GLIBC__
#include <malloc.h>
#endif

void giveFreedMemoryBack()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}
