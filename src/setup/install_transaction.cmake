# The installation as one transaction, run by `cmake --install` (the default
# component). It either completes or leaves the destination as it found it:
#   1. every file of an earlier installation that this one replaces or
#      retires is set aside, renamed beside itself, so that nothing is
#      overwritten in place (a running program's file included);
#   2. the component GRIDMOOR_FILES_COMPONENT, which copies the files, writes
#      the desktop entry and runs the setup hook, runs in a cmake process of
#      its own, so that a failure in any of its steps comes back here;
#   3. on success, what was set aside is removed, the desktop's caches are
#      refreshed and the files and new folders are recorded for the uninstall
#      target; on failure, every file this run placed and every folder it made
#      is removed, what was set aside is put back, and the installation fails,
#      naming anything that could not be undone.
# Everything happens below DESTDIR when it is set; staged runs keep records of
# their own.
cmake_policy(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/install_common.cmake")

# A relative prefix counts from the working folder, as CMake's copying does.
get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
get_filename_component(root "$ENV{DESTDIR}${prefix}" ABSOLUTE)

# The folders the files go in, their parents up to the prefix, and the
# prefix's own parents that do not exist yet.
set(folders)
foreach(file IN LISTS GRIDMOOR_PLACED_FILES)
    get_filename_component(folder "${file}" DIRECTORY)
    while(NOT folder STREQUAL "")
        list(APPEND folders "${root}/${folder}")
        get_filename_component(folder "${folder}" DIRECTORY)
    endwhile()
endforeach()
set(folder "${root}")
while(NOT IS_DIRECTORY "${folder}")
    list(APPEND folders "${folder}")
    get_filename_component(folder "${folder}" DIRECTORY)
endwhile()
list(REMOVE_DUPLICATES folders)
set(new_folders)
foreach(folder IN LISTS folders)
    if(NOT IS_DIRECTORY "${folder}")
        list(APPEND new_folders "${folder}")
    endif()
endforeach()

function(gridmoor_set_aside_name path result_var)
    get_filename_component(folder "${path}" DIRECTORY)
    get_filename_component(name "${path}" NAME)
    set(${result_var} "${folder}/.${name}.before-install" PARENT_SCOPE)
endfunction()

set(set_aside)
set(copy_started FALSE)

function(gridmoor_roll_back reason)
    set(left)
    if(copy_started)
        foreach(file IN LISTS GRIDMOOR_PLACED_FILES)
            gridmoor_is_file("${root}/${file}" placed)
            if(placed)
                gridmoor_remove_file("${root}/${file}" left)
            endif()
        endforeach()
    endif()
    foreach(path IN LISTS set_aside)
        gridmoor_set_aside_name("${path}" aside)
        file(RENAME "${aside}" "${path}" RESULT restored)
        if(NOT restored STREQUAL "0")
            list(APPEND left "${path} of the earlier installation could not be put back from ${aside}: ${restored}")
        endif()
    endforeach()
    gridmoor_remove_empty_folders("${new_folders}" left)
    if(left)
        list(JOIN left "\n  " left)
        set(outcome "What this installation placed in ${root} was taken back, except:\n  ${left}")
    elseif(set_aside)
        string(CONCAT outcome "Everything this installation placed in ${root} was removed again, "
                              "and the earlier installation there is as it was.")
    else()
        set(outcome "Everything this installation placed in ${root} was removed again.")
    endif()
    message(FATAL_ERROR "Gridmoor was not installed: ${reason}\n${outcome}")
endfunction()

foreach(file IN LISTS GRIDMOOR_PLACED_FILES GRIDMOOR_FORMER_FILES)
    set(path "${root}/${file}")
    gridmoor_is_file("${path}" earlier)
    if(earlier)
        gridmoor_set_aside_name("${path}" aside)
        file(RENAME "${path}" "${aside}" RESULT moved)
        if(NOT moved STREQUAL "0")
            gridmoor_roll_back("${path} of the earlier installation could not be set aside: ${moved}")
        endif()
        list(APPEND set_aside "${path}")
    endif()
endforeach()

set(copy_step "${CMAKE_COMMAND}" "-DCMAKE_INSTALL_PREFIX=${prefix}"
    "-DCMAKE_INSTALL_COMPONENT=${GRIDMOOR_FILES_COMPONENT}" "-DCMAKE_INSTALL_CONFIG_NAME=${CMAKE_INSTALL_CONFIG_NAME}")
if(GRIDMOOR_INSTALL_STRIPPED OR CMAKE_INSTALL_DO_STRIP)
    list(APPEND copy_step "-DCMAKE_INSTALL_DO_STRIP=1")
endif()
if(DEFINED CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS)
    string(REPLACE ";" "\\;" permissions "${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS}")
    list(APPEND copy_step "-DCMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS=${permissions}")
endif()
set(copy_started TRUE)
execute_process(COMMAND ${copy_step} -P "${GRIDMOOR_FILES_SCRIPT}" RESULT_VARIABLE copied ERROR_VARIABLE details)
if(NOT copied EQUAL 0)
    # The step's own error, without CMake's lines about where it was raised,
    # its paragraphs unwrapped (CMake wraps them again).
    string(REGEX REPLACE "CMake Error at [^\n]*\n" "" details "${details}")
    string(REGEX REPLACE "Call Stack \\(most recent call first\\):.*" "" details "${details}")
    string(REGEX REPLACE "\n +" "\n" details "${details}")
    string(REGEX REPLACE "([^\n])\n([^\n])" "\\1 \\2" details "${details}")
    string(REGEX REPLACE "\n\n+" "\n" details "${details}")
    string(STRIP "${details}" details)
    gridmoor_roll_back("${details}")
endif()

foreach(path IN LISTS set_aside)
    gridmoor_set_aside_name("${path}" aside)
    file(REMOVE "${aside}")
endforeach()
gridmoor_refresh_desktop_caches("${root}/${GRIDMOOR_DATADIR}")

# The records for the uninstall target: the manifest CMake writes from
# CMAKE_INSTALL_MANIFEST_FILES, and the folders made: this run's, and those an
# earlier installation in the same place made that are still there.
foreach(file IN LISTS GRIDMOOR_PLACED_FILES)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${prefix}/${file}")
endforeach()
gridmoor_install_records("${GRIDMOOR_BUILD_DIR}" "${CMAKE_INSTALL_COMPONENT}" "$ENV{DESTDIR}" manifest folders_record)
set(made_folders)
if(EXISTS "${folders_record}")
    file(STRINGS "${folders_record}" made_folders)
endif()
set(kept)
foreach(folder IN LISTS new_folders made_folders)
    string(FIND "${root}/" "${folder}/" above)
    string(FIND "${folder}/" "${root}/" below)
    if(IS_DIRECTORY "${folder}" AND (above EQUAL 0 OR below EQUAL 0))
        list(APPEND kept "${folder}")
    endif()
endforeach()
list(REMOVE_DUPLICATES kept)
list(JOIN kept "\n" record)
file(WRITE "${folders_record}" "${record}\n")
# CMake names its manifest after the component when one is set; a staged run
# takes a name of its own, so it never replaces the manifest of a real
# installation. Nothing is installed after this step.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
    if(CMAKE_INSTALL_COMPONENT)
        set(CMAKE_INSTALL_COMPONENT "${CMAKE_INSTALL_COMPONENT}_destdir")
    else()
        set(CMAKE_INSTALL_COMPONENT "destdir")
    endif()
endif()
