# Precompiled headers. Nearly every file of the project includes Qt's and the standard library's headers,
# and every test GoogleTest's or QtTest's; parsing them again for each file was most of a clean build.
# Three header sets are compiled once per tree, each by a small host target, and every other target reuses
# the set that fits what it links (REUSE_FROM), so each file compiles only its own code. Nothing in the
# folders' own CMakeLists.txt changes: v5_apply_pch() walks the targets after they are all defined.
#
# ccache cannot cache files built on a precompiled header without settings of its own, so with a compiler
# launcher the default is off: the cache does the work there.
if(CMAKE_CXX_COMPILER_LAUNCHER OR V5_FUZZ)
    set(_v5_pch_default OFF)
else()
    set(_v5_pch_default ON)
endif()
option(V5_PCH "Precompile the Qt, standard-library and GoogleTest headers" ${_v5_pch_default})

set(_v5_pch_std <algorithm> <array> <cstddef> <cstdint> <deque> <functional> <memory> <optional> <span>
                <stdexcept> <string> <vector>)
set(_v5_pch_core <QByteArray> <QDir> <QFile> <QFileInfo> <QString> <QStringList> <QTemporaryDir>
                 <QTextStream>)
set(_v5_pch_widgets <QApplication> <QCheckBox> <QGridLayout> <QGroupBox> <QHBoxLayout> <QLabel>
                    <QLineEdit> <QListWidget> <QPushButton> <QSignalBlocker> <QTimer> <QVBoxLayout>)

# A host target: an empty file compiled with the header set, linked against what the set needs.
function(_v5_pch_host name)
    cmake_parse_arguments(ARG "" "" "HEADERS;LIBS" ${ARGN})
    set(source ${CMAKE_BINARY_DIR}/pch/${name}.cpp)
    if(NOT EXISTS ${source})
        file(WRITE ${source} "// The host of a precompiled header set; it has no code of its own.\n")
    endif()
    add_library(${name} STATIC ${source})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} v5_common)
    target_precompile_headers(${name} PRIVATE ${ARG_HEADERS})
    set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
endfunction()

function(v5_define_pch)
    if(NOT V5_PCH)
        return()
    endif()
    _v5_pch_host(v5_pch_core HEADERS ${_v5_pch_std} ${_v5_pch_core} LIBS Qt6::Core)
    _v5_pch_host(v5_pch_widgets HEADERS ${_v5_pch_std} ${_v5_pch_core} ${_v5_pch_widgets} LIBS Qt6::Widgets)
    if(V5_BUILD_TESTS)
        find_package(GTest REQUIRED)
        _v5_pch_host(v5_pch_gtest HEADERS ${_v5_pch_std} ${_v5_pch_core} <gtest/gtest.h>
                     LIBS Qt6::Core GTest::gtest)
    endif()
endfunction()

# The header set a target gets, by what it links directly.
function(_v5_pch_family target out)
    get_target_property(libs ${target} LINK_LIBRARIES)
    if(NOT libs)
        set(libs "")
    endif()
    if(TARGET v5_pch_gtest AND ("GTest::gtest" IN_LIST libs OR "GTest::gtest_main" IN_LIST libs))
        set(${out} v5_pch_gtest PARENT_SCOPE)
    elseif("Qt6::Test" IN_LIST libs OR "Qt6::Widgets" IN_LIST libs OR "v5_window" IN_LIST libs OR "v5_up5_form" IN_LIST libs)
        set(${out} v5_pch_widgets PARENT_SCOPE)
    else()
        set(${out} v5_pch_core PARENT_SCOPE)
    endif()
endfunction()

# Every library and executable under `dir` reuses a header set, except the hosts themselves and targets
# that already have precompiled headers of their own.
function(v5_apply_pch dir)
    if(NOT V5_PCH)
        return()
    endif()
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(NOT type MATCHES "^(STATIC_LIBRARY|EXECUTABLE|OBJECT_LIBRARY)$" OR target MATCHES "^v5_pch_")
            continue()
        endif()
        get_target_property(own ${target} PRECOMPILE_HEADERS)
        get_target_property(reused ${target} PRECOMPILE_HEADERS_REUSE_FROM)
        if(own OR reused)
            continue()
        endif()
        _v5_pch_family(${target} family)
        target_precompile_headers(${target} REUSE_FROM ${family})
    endforeach()
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(subdir IN LISTS subdirs)
        v5_apply_pch(${subdir})
    endforeach()
endfunction()
