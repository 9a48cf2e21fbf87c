# Shared by the Linux cross toolchain files (linux-aarch64, linux-i686, linux-s390x): Debian's
# cross compilers and their target libraries under /usr/<triplet>, the programs run under
# qemu-user, which finds the target's dynamic loader and libraries through -L.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${SPIRANDEL_CROSS_PROCESSOR})

set(CMAKE_C_COMPILER ${SPIRANDEL_CROSS_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${SPIRANDEL_CROSS_TRIPLET}-g++)

set(CMAKE_FIND_ROOT_PATH /usr/${SPIRANDEL_CROSS_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${SPIRANDEL_CROSS_QEMU} -L /usr/${SPIRANDEL_CROSS_TRIPLET})
