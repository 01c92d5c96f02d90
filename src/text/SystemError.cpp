#include "text/SystemError.h"

#include <QtGlobal>

#include <cerrno>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

void clearSystemError()
{
    errno = 0;
#ifdef Q_OS_WIN
    SetLastError(0);
#endif
}

int lastSystemError(int fallback)
{
#ifdef Q_OS_WIN
    if (const DWORD error = GetLastError(); error != 0)
        return int(error);
#endif
    return errno != 0 ? errno : fallback;
}
