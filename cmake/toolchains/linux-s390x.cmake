# Big-endian 64-bit IBM Z Linux, run under qemu-s390x (scripts/stages/45-cross-cpu.sh).
set(SPIRANDEL_CROSS_PROCESSOR s390x)
set(SPIRANDEL_CROSS_TRIPLET s390x-linux-gnu)
set(SPIRANDEL_CROSS_QEMU s390x)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross-common.cmake)
