# Source lists are collected by folder so that a new calculator needs no edit
# here: everything under src/calc/<name>/ is core code except the dialogs
# (files named *Dlg.cpp), which belong to the GUI library.

function(vantix_collect_core_sources out)
    file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
        ${PROJECT_SOURCE_DIR}/src/report/*.cpp
        ${PROJECT_SOURCE_DIR}/src/text/*.cpp
        ${PROJECT_SOURCE_DIR}/src/tables/*.cpp
        ${PROJECT_SOURCE_DIR}/src/calc/*.cpp)
    list(FILTER srcs EXCLUDE REGEX "Dlg\\.cpp$")
    set(${out} ${srcs} PARENT_SCOPE)
endfunction()

function(vantix_collect_gui_sources out)
    file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
        ${PROJECT_SOURCE_DIR}/src/dialogs/*.cpp
        ${PROJECT_SOURCE_DIR}/src/app/*.cpp
        ${PROJECT_SOURCE_DIR}/src/calc/*Dlg.cpp
        ${PROJECT_SOURCE_DIR}/res/*.cpp)
    file(GLOB_RECURSE hdrs CONFIGURE_DEPENDS
        ${PROJECT_SOURCE_DIR}/src/dialogs/*.h
        ${PROJECT_SOURCE_DIR}/src/app/*.h
        ${PROJECT_SOURCE_DIR}/src/calc/*Dlg.h
        ${PROJECT_SOURCE_DIR}/res/*.h)
    list(FILTER srcs EXCLUDE REGEX "/src/app/main\\.cpp$")
    set(${out} ${srcs} ${hdrs} PARENT_SCOPE)
endfunction()

# Tests mirror src/: tests of GUI code (tests/app, tests/dialogs and the
# tests/calc/**/*Dlg*Test.cpp files) go into the offscreen GUI test binary,
# the rest into the core test binary.
function(vantix_collect_test_sources core_out gui_out)
    file(GLOB_RECURSE all CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/*Test.cpp)
    set(core "")
    set(gui "")
    foreach(f ${all})
        if(f MATCHES "/tests/(app|dialogs)/" OR f MATCHES "Dlg[A-Za-z]*Test\\.cpp$"
           OR f MATCHES "/tests/e2e/")
            list(APPEND gui ${f})
        else()
            list(APPEND core ${f})
        endif()
    endforeach()
    set(${core_out} ${core} PARENT_SCOPE)
    set(${gui_out} ${gui} PARENT_SCOPE)
endfunction()
