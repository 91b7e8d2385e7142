# The code a start runs, laid out together. The kernel maps a program's code 64 KiB at a time
# around each page the start touches, so code spread among the editors', the About window's and
# the printing code maps all of it. With each function in a section of its own, lld places the
# functions of cmake/startup-order.txt (written by scripts/startup-order.sh) first, and the rest
# after them, mapped only when used. Only optimised builds do this; a stale list costs memory,
# never correctness.
include(CheckLinkerFlag)

set(KALVERIN_STARTUP_ORDER_FILE ${PROJECT_SOURCE_DIR}/cmake/startup-order.txt)
if(CMAKE_BUILD_TYPE STREQUAL "Release" AND NOT KALVERIN_BUILD_FUZZERS)
    check_linker_flag(CXX "-fuse-ld=lld" KALVERIN_HAVE_LLD)
endif()
if(KALVERIN_HAVE_LLD)
    target_compile_options(kalverin_settings INTERFACE -ffunction-sections)
endif()

# Links `target`, a program that starts the designer, with its start's code first.
function(kalverin_startup_layout target)
    if(KALVERIN_HAVE_LLD)
        target_link_options(${target} PRIVATE -fuse-ld=lld
            -Wl,--symbol-ordering-file=${KALVERIN_STARTUP_ORDER_FILE}
            -Wl,--no-warn-symbol-ordering)
        set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${KALVERIN_STARTUP_ORDER_FILE})
    endif()
endfunction()
