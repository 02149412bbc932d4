#include "platform/heap.h"

// Any C library header says which library it is; without one, __GLIBC__ is not defined yet.
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void keepLargeBlocksMapped()
{
#if defined(__GLIBC__)
    // Setting the threshold turns its dynamic adjustment off.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}
