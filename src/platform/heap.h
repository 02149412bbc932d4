#pragma once

// The C library's allocator raises the size above which it maps a block of its own each time
// such a block is freed, so after the draw log and the pool were read at start, every later
// block up to a few megabytes comes from the main heap and stays there once freed. Called once
// at start: blocks of 128 KiB and more are always mapped and given back when freed.
void keepLargeBlocksMapped();
