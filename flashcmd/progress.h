#pragma once
// Progress of a long operation: the main thread waits on the library's
// periodic event while the worker thread transfers, and prints ".." for
// every wake-up once a tenth of the range is done.

// Returns when workerTask is done.
void showProgress();
