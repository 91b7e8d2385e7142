# kalverin_subsystem(<name> SOURCES <files> [LINKS <libraries>]
#                    [WINDOW <files>] [WINDOW_LINKS <libraries>])
#
# Every window of the program comes in two libraries: kalverin_<name>, its model and rules with
# no Qt (tested without a display), and kalverin_<name>_window, the Qt window that binds it,
# built only with the GUI.
function(kalverin_subsystem name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;LINKS;WINDOW;WINDOW_LINKS")
    add_library(kalverin_${name} STATIC ${arg_SOURCES})
    target_link_libraries(kalverin_${name} PUBLIC kalverin_catalogue kalverin_controls ${arg_LINKS})
    if(KALVERIN_BUILD_GUI AND arg_WINDOW)
        add_library(kalverin_${name}_window STATIC ${arg_WINDOW})
        target_link_libraries(kalverin_${name}_window PUBLIC kalverin_${name} kalverin_qt_support
                                                            ${arg_WINDOW_LINKS})
    endif()
endfunction()
