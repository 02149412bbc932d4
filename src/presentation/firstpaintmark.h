#pragma once

// For the start-up benchmark (bench/startup.sh): when the environment variable
// TIVREL_FIRST_PAINT_MARK is set to 1, the first call writes one line to stderr with the
// wall-clock time (CLOCK_REALTIME, ns), the process's CPU time so far and its peak resident
// memory. Later calls, and every call without the variable, do nothing.
void markFirstPaint();
