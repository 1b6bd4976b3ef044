# Precompiled Qt and standard headers: most of a translation unit's compile
# time here is spent reading the same Qt headers again, so each layer reads
# them once. Test programs share one precompiled header per kind instead of
# making their own (REUSE_FROM), which needs them to be compiled alike.
option(GRIDMOOR_PCH "Precompile the common Qt and standard headers" ON)

set(GRIDMOOR_PCH_CORE
    <QByteArray> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QString> <QStringList> <QtGlobal>
    <algorithm> <array> <cstring> <memory> <optional> <utility> <vector>)
set(GRIDMOOR_PCH_UI ${GRIDMOOR_PCH_CORE}
    <QApplication> <QDialog> <QDialogButtonBox> <QEvent> <QImage> <QKeyEvent> <QLabel> <QMouseEvent>
    <QPainter> <QPushButton> <QTimer> <QWidget>)

# The layer libraries also compile their sources in batches (a unity build):
# each batch parses the precompiled header and the Qt headers it does not hold
# once for several sources, which roughly halves a library's compile time. A
# batch's sources share one translation unit, so names in their anonymous
# namespaces must differ. Test programs, one source each, stay as they are.
option(GRIDMOOR_UNITY "Compile the layer libraries in batches of sources" ON)

# gridmoor_precompile(TARGET KIND): KIND is CORE (Qt Core only) or UI.
function(gridmoor_precompile target kind)
    if(GRIDMOOR_PCH)
        target_precompile_headers(${target} PRIVATE ${GRIDMOOR_PCH_${kind}})
    endif()
    if(GRIDMOOR_UNITY)
        set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
    endif()
endfunction()

# gridmoor_test_pch(TARGET KIND): a test program takes the precompiled header
# of its kind, made once by a small library of that kind.
function(gridmoor_test_pch target kind)
    if(NOT GRIDMOOR_PCH)
        return()
    endif()
    set(source_target gridmoor_test_pch_${kind})
    if(NOT TARGET ${source_target})
        file(WRITE ${CMAKE_BINARY_DIR}/gridmoor_test_pch.cpp "// Holds the tests' precompiled header.\n")
        add_library(${source_target} STATIC ${CMAKE_BINARY_DIR}/gridmoor_test_pch.cpp)
        target_compile_options(${source_target} PRIVATE -UQT_TESTCASE_BUILDDIR -UQT_TESTCASE_SOURCEDIR)
        if(kind STREQUAL "UI")
            target_link_libraries(${source_target} PRIVATE Qt6::Test Qt6::Widgets Qt6::Network)
            target_precompile_headers(${source_target} PRIVATE ${GRIDMOOR_PCH_UI} <QtTest>)
        else()
            target_link_libraries(${source_target} PRIVATE Qt6::Test)
            target_precompile_headers(${source_target} PRIVATE ${GRIDMOOR_PCH_CORE} <QtTest>)
        endif()
    endif()
    target_precompile_headers(${target} REUSE_FROM ${source_target})
    # The UI header is made with Qt Network's definitions, which some of these
    # tests need (the local HTTP server) and the window library no longer
    # brings; every test of the kind takes them, so all can share it.
    if(kind STREQUAL "UI")
        target_link_libraries(${target} PRIVATE Qt6::Network)
    endif()
    # A test includes its own moc output, which leaves the target's generated
    # moc collection empty; loading the precompiled header into that empty
    # file cost more than three processor seconds per test program.
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/mocs_compilation.cpp
                                PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    # Qt Test defines the test's build and source folders, different in every folder,
    # which would make the shared header unusable; nothing here reads it.
    target_compile_options(${target} PRIVATE -UQT_TESTCASE_BUILDDIR -UQT_TESTCASE_SOURCEDIR)
endfunction()
