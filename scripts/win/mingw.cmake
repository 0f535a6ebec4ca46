# Cross-compiles for 64-bit Windows with Debian's mingw-w64. The POSIX thread model is the
# one whose C++ library has std::thread and std::mutex, which Qt needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(DAZU_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${DAZU_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DAZU_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${DAZU_MINGW_TRIPLE}-windres)

# Only the mingw sysroot and our own prefix (SQLite, SQLiteCpp, nlohmann-json): /usr would
# let the host's glibc headers and libraries leak into the build.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DAZU_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${DAZU_MINGW_TRIPLE} ${DAZU_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
