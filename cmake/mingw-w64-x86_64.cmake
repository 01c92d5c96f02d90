# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (the posix thread model, which
# std::thread and std::mutex need). Used by the windows preset and by tools/windows/build-qt.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(WEBDEF_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${WEBDEF_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${WEBDEF_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${WEBDEF_MINGW_TRIPLE}-windres)

# Libraries, headers and packages come from the MinGW sysroot and the cross-built Qt (the preset's
# CMAKE_PREFIX_PATH); programs run during the build come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${WEBDEF_MINGW_TRIPLE} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
