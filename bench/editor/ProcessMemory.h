// Reads this process's resident memory and resets its peak (Linux /proc).
#pragma once

// VmHWM (the peak resident size) in bytes, or -1 when it cannot be read.
long long PeakMemoryBytes();
// VmRSS in bytes, or -1 when it cannot be read.
long long ResidentMemoryBytes();
// Lowers the peak to the present resident size, so a later peak belongs to what ran since.
void ResetPeakMemory();
