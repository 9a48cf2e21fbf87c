# 64-bit Arm Linux, run under qemu-aarch64 (scripts/stages/45-cross-cpu.sh).
set(SPIRANDEL_CROSS_PROCESSOR aarch64)
set(SPIRANDEL_CROSS_TRIPLET aarch64-linux-gnu)
set(SPIRANDEL_CROSS_QEMU aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross-common.cmake)
