# win32: the product, i686 with posix threads.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VRX_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# wine64 hands a 32-bit program to the 32-bit loader (package wine32:i386),
# in the same prefix and wineserver as the 64-bit test helpers.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
