# 32-bit x86 Linux, run under qemu-i386 (scripts/stages/45-cross-cpu.sh). Linked statically:
# under qemu-i386 a dynamically linked program hangs after fork, which the death tests do.
set(SPIRANDEL_CROSS_PROCESSOR i686)
set(SPIRANDEL_CROSS_TRIPLET i686-linux-gnu)
set(SPIRANDEL_CROSS_QEMU i386)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross-common.cmake)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
