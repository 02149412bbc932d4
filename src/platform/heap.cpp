#include "platform/heap.h"

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
