# Toolchain file for the console: the ARM cross compiler, no operating system.
#   cmake -DCMAKE_TOOLCHAIN_FILE=arm-none-eabi.cmake ...
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_C_COMPILER arm-none-eabi-gcc)
set(CMAKE_ASM_COMPILER arm-none-eabi-gcc)
find_program(CMAKE_OBJCOPY arm-none-eabi-objcopy REQUIRED)

# The compiler check would link a program, which needs the game's start-up
# file and linker script; a library is enough to see the compiler work.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# Libraries and headers are the console's; programs and CMake packages,
# pixcell among them, are the build machine's.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE NEVER)
