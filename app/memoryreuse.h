#pragma once

// Show All on a large list and the Price Bid each allocate and free megabytes of small blocks. By
// default the C library returns freed memory at the top of its heap to the system at once, so the
// next run takes a fresh page fault on every page again, which is slow on the virtual machines many
// offices run. This keeps up to 128 MB of freed memory for reuse instead; the application (and any
// program that wants to behave as it does) calls it once at start-up.
void keepFreedMemoryForReuse();
