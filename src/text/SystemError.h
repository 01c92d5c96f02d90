#pragma once

// The operating system's number of the error a file operation just failed with: GetLastError on
// Windows (Qt's file code there leaves errno alone), errno elsewhere. Cleared before an operation
// whose failure is to be told, so an older number is never taken for it.
void clearSystemError();
int lastSystemError(int fallback);
