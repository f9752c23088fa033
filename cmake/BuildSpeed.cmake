# Shorter builds on a small machine: the Qt and standard headers most sources read are
# compiled once per tree (precompiled headers), and a target's sources are compiled in batches
# of a few files each (unity builds), so that those headers and the templates they instantiate
# are not read and compiled again for every file. Neither changes what is built from a source;
# both can be turned off for a tree (scripts/tidy reads a tree's commands with them taken out).
option(CDZ_PCH "Precompile the Qt and standard headers the targets share" ON)
option(CDZ_UNITY "Compile each target's sources in batches (unity build)" ON)
set(CDZ_UNITY_BATCH 8 CACHE STRING "Sources a unity batch holds")

# The headers the program's sources read most (counted over runtime/, querykit/ and app/).
set(cdz_pch_program_headers
    <algorithm> <array> <charconv> <cstdint> <cstdio> <cstdlib> <filesystem> <functional>
    <map> <memory> <optional> <string> <string_view> <utility> <vector>
    <QApplication> <QByteArray> <QDialog> <QFont> <QHBoxLayout> <QLabel> <QLineEdit>
    <QObject> <QPainter> <QPointer> <QPushButton> <QString> <QVBoxLayout> <QWidget>)
# The tests read GoogleTest and a few more of the standard library and of Qt besides.
set(cdz_pch_test_headers ${cdz_pch_program_headers}
    <gtest/gtest.h> <chrono> <fstream> <set> <QProcess> <QTimer>)

# Sources compiled as they are written, alone and without the precompiled header: with either,
# GCC 12 inlines the standard strings' operator+ in them otherwise and takes its temporaries
# for writes past their end (-Warray-bounds), or a variant's member for one read before it is
# set (-Wmaybe-uninitialized): known false alarms of that compiler.
set(cdz_pch_skip_sources runtime/data/TableSql.cpp app/domain/repair/FixAction.cpp
    app/albums/cd/TitleService.cpp app/albums/cd/TitleFetch.cpp app/reports/ReportRecords.cpp
    bench/rename/RenameBench.cpp
    app/albums/wizard/TitleLookup.cpp tests/runtime/expr/ExpressionTest.cpp
    tests/app/engine/ListFormatStoreTest.cpp tests/app/songs/csv/SongExportTest.cpp
    tests/app/journeys/CsvJourneyTest.cpp)

# Sources compiled alone: each has a helper of its own under a name another source of its
# target gives its own helper too, which one batch cannot hold twice, or a name of its own
# that a local name of another source would shadow (-Wshadow).
set(cdz_unity_skip_sources ${cdz_pch_skip_sources}
    app/albums/wizard/AlbumWizardChecks.cpp app/playlists/PlaylistGenerator.cpp
    app/albums/cd/ReleaseAnswer.cpp
    runtime/data/pg/PgResult.cpp runtime/data/sqlite/SqliteFileChanges.cpp
    tests/app/engine/DatePicturesTest.cpp tests/app/songs/csv/CsvLineReaderTest.cpp
    tests/querykit/FilterTextTest.cpp tests/runtime/data/BulkCopyTest.cpp
    tests/runtime/text/DatePictureTest.cpp tests/app/engine/ListFormatStoreTest.cpp
    app/albums/wizard/TitlePaste.cpp tests/app/engine/KeyDistributionTest.cpp
    app/albums/AlbumSongList.cpp app/domain/integrity/UpdateRules.cpp
    app/labels/FontFreeformForm.cpp app/labels/LabelBrowse.cpp app/labels/LabelForm.cpp
    app/labels/LabelSheet.cpp app/labels/LabelWizardText.cpp app/labels/LabelWizardWindow.cpp
    app/playlists/PlaylistForm.cpp app/reports/CardReports.cpp app/reports/PlaylistReports.cpp
    app/reports/ReportFieldSets.cpp app/reports/ReportPager.cpp app/reports/SongReports.cpp
    app/songs/csv/ExportWindow.cpp app/songs/csv/ImportValue.cpp app/songs/csv/ImportWindow.cpp
    querykit/qwizard/QueryStore.cpp runtime/data/FileDecl.cpp runtime/data/TableRename.cpp
    runtime/data/TableSql.cpp runtime/data/ViewFilter.cpp runtime/data/ViewOrder.cpp
    runtime/data/pg/PgFiles.cpp runtime/data/sqlite/SqliteEngine.cpp
    runtime/expr/ExprFunctions.cpp runtime/report/PdfCanvas.cpp runtime/report/PdfFont.cpp
    runtime/report/PreviewWindow.cpp runtime/text/TextPicture.cpp runtime/text/TimePicture.cpp
    runtime/text/Unicode.cpp runtime/ui/FileFilterList.cpp runtime/ui/FontChoice.cpp
    runtime/ui/QtDialogs.cpp tests/app/albums/AlbumBrowseTest.cpp
    tests/app/albums/maintenance/MaintenanceKillTest.cpp
    tests/app/domain/settings/PrinterSettingsTest.cpp tests/app/engine/LocatorTest.cpp
    tests/app/shell/settings/PreferencesTest.cpp tests/app/shell/startup/CommandKillTest.cpp
    tests/app/shell/startup/StartKillTest.cpp tests/app/songs/SongBrowseTest.cpp
    tests/app/songs/SongSearchTest.cpp tests/app/songs/csv/CsvCommandTest.cpp
    tests/app/songs/csv/SongExportTest.cpp tests/bench/SongsCsvTest.cpp
    tests/querykit/NameSubstitutionTest.cpp tests/runtime/expr/ExpressionTest.cpp
    tests/runtime/ini/IniFileTest.cpp tests/runtime/ini/IniWriteFailureTest.cpp
    tests/runtime/report/PdfFileTest.cpp tests/runtime/report/RenderTest.cpp)

# cdz_pch_host(NAME LIBS... ) makes the static library whose precompiled header the targets of
# one kind take; it has the least of their compile definitions, as GCC requires of a header
# it reuses.
function(cdz_pch_host name headers)
    add_library(${name} STATIC ${PROJECT_SOURCE_DIR}/cmake/pch_host.cpp)
    target_link_libraries(${name} PRIVATE ${ARGN} cdz_options)
    target_precompile_headers(${name} PRIVATE ${headers})
    set_target_properties(${name} PROPERTIES UNITY_BUILD OFF AUTOMOC OFF EXCLUDE_FROM_ALL ON)
endfunction()

# Every target defined under DIR and its subfolders, appended to the list OUT.
function(cdz_targets_under dir out)
    get_property(found DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(sub ${subdirs})
        set(below)
        cdz_targets_under(${sub} below)
        list(APPEND found ${below})
    endforeach()
    set(${out} ${found} PARENT_SCOPE)
endfunction()

# Sets the source property PROPERTY on each of SKIPS (paths from the project's folder) that the
# target compiles (SOURCES, absolute).
function(cdz_mark_sources target sources skips property)
    foreach(skip ${skips})
        if("${PROJECT_SOURCE_DIR}/${skip}" IN_LIST sources)
            set_property(SOURCE ${PROJECT_SOURCE_DIR}/${skip} TARGET_DIRECTORY ${target}
                PROPERTY ${property} ON)
        endif()
    endforeach()
endfunction()

# The tests' own code is compiled with line tables only (a failure's backtrace still names file
# and line) and, in an optimised tree, at -O1: the program's libraries they check keep the tree's
# options. Debug information and -O2's inlining were two thirds of a test batch's compile.
function(cdz_lighter_tests target)
    get_target_property(links ${target} LINK_LIBRARIES)
    if(links MATCHES "GTest::")
        target_compile_options(${target} PRIVATE -g1
            $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-O1>)
    endif()
endfunction()

# Applies both to every target of the project: called once, after all of them are defined.
function(cdz_speed_up)
    cdz_targets_under(${PROJECT_SOURCE_DIR} targets)
    # GCC takes one precompiled header in targets of different definitions; clang demands the
    # same ones, so there each target compiles its own.
    set(share OFF)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        set(share ON)
    endif()
    if(CDZ_PCH AND share)
        cdz_pch_host(cdz_pch_program "${cdz_pch_program_headers}" Qt6::Widgets Qt6::PrintSupport)
        if(CDZ_TESTS)
            find_package(GTest REQUIRED)
            cdz_pch_host(cdz_pch_tests "${cdz_pch_test_headers}" Qt6::Widgets Qt6::PrintSupport
                GTest::gtest)
            cdz_lighter_tests(cdz_pch_tests)
        endif()
    endif()
    foreach(target ${targets})
        get_target_property(type ${target} TYPE)
        if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|EXECUTABLE)$"
           OR target MATCHES "^cdz_pch_")
            continue()
        endif()
        cdz_lighter_tests(${target})
        get_target_property(listed ${target} SOURCES)
        list(FILTER listed INCLUDE REGEX "\\.cpp$")
        set(sources)
        foreach(source ${listed})
            cmake_path(NORMAL_PATH source)
            list(APPEND sources ${source})
        endforeach()
        list(LENGTH sources count)
        if(CDZ_UNITY AND count GREATER 2)
            set_target_properties(${target} PROPERTIES UNITY_BUILD ON
                UNITY_BUILD_BATCH_SIZE ${CDZ_UNITY_BATCH})
            cdz_mark_sources(${target} "${sources}" "${cdz_unity_skip_sources}"
                SKIP_UNITY_BUILD_INCLUSION)
        endif()
        cdz_mark_sources(${target} "${sources}" "${cdz_pch_skip_sources}"
            SKIP_PRECOMPILE_HEADERS)
        # Only targets that read the Qt of the program's runtime take the header: its
        # definitions must be theirs. The generator and its test read no Qt of their own; a
        # target of few sources gains nothing from a header of its own.
        get_target_property(links ${target} LINK_LIBRARIES)
        set(others ${links})
        list(FILTER others EXCLUDE REGEX "^(cdz_options|cdz_program_options|cdz_test_support|cdzgen|GTest::.*)$")
        if(NOT CDZ_PCH OR count LESS 3 OR NOT others
           OR (NOT share AND count LESS 10))
            continue()
        endif()
        set(kind program)
        if(links MATCHES "GTest::")
            set(kind tests)
        endif()
        if(share)
            target_precompile_headers(${target} REUSE_FROM cdz_pch_${kind})
        else()
            target_precompile_headers(${target} PRIVATE ${cdz_pch_${kind}_headers})
        endif()
    endforeach()
endfunction()
