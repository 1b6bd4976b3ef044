# cmake -DGRIDMOOR_BUILD_DIR=build [-DCOMPONENT=name] -P uninstall.cmake, run
# by the target "uninstall": takes back the installation the build folder's
# records name (with DESTDIR set, the one staged there). It removes every file
# of the manifest that is still there (a shipped puzzle that a first start
# moved into the user's puzzle folder is already gone), refreshes the
# desktop's caches, and removes the folders the installation made once they
# are empty; then the records. Nothing in the users' homes is touched.
cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/install_common.cmake")

gridmoor_install_records("${GRIDMOOR_BUILD_DIR}" "${COMPONENT}" "$ENV{DESTDIR}" manifest folders_record)
if(NOT EXISTS "${manifest}")
    message(FATAL_ERROR "Nothing to uninstall: ${manifest} records no installation.")
endif()
file(STRINGS "${manifest}" files)
set(made_folders)
if(EXISTS "${folders_record}")
    file(STRINGS "${folders_record}" made_folders)
endif()

set(left)
set(data_folders)
foreach(file IN LISTS files)
    set(path "$ENV{DESTDIR}${file}")
    gridmoor_is_file("${path}" present)
    if(present)
        message(STATUS "Uninstalling: ${path}")
        gridmoor_remove_file("${path}" left)
    else()
        message(STATUS "Already gone: ${path}")
    endif()
    if(file MATCHES "^(.*)/(applications/[^/]+\\.desktop|mime/packages/[^/]+\\.xml)$")
        list(APPEND data_folders "$ENV{DESTDIR}${CMAKE_MATCH_1}")
    endif()
endforeach()

# A cache in a folder the installation made, with nothing left to describe,
# goes with the folder; the others are refreshed.
list(REMOVE_DUPLICATES data_folders)
foreach(data_folder IN LISTS data_folders)
    file(GLOB packages "${data_folder}/mime/packages/*")
    if(NOT packages AND "${data_folder}/mime" IN_LIST made_folders)
        file(REMOVE_RECURSE "${data_folder}/mime")
    endif()
    file(GLOB entries "${data_folder}/applications/*.desktop")
    if(NOT entries AND "${data_folder}/applications" IN_LIST made_folders)
        file(REMOVE "${data_folder}/applications/mimeinfo.cache")
    endif()
endforeach()
gridmoor_remove_empty_folders("${made_folders}" left)
foreach(data_folder IN LISTS data_folders)
    gridmoor_refresh_desktop_caches("${data_folder}")
endforeach()

if(left)
    list(JOIN left "\n  " left)
    message(FATAL_ERROR "Gridmoor was not completely uninstalled:\n  ${left}")
endif()
# Nothing is installed any more: the records go too.
file(REMOVE "${manifest}" "${folders_record}")
