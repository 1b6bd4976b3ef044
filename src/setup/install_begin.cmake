# Part of the installation, run before any file is placed: notes which of the
# folders the installation places files in (and their parents below the
# prefix) exist already, so that a failed installation removes only the
# folders it created.
set(GRIDMOOR_ROOT "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(GRIDMOOR_FOLDERS "${GRIDMOOR_ROOT}")
foreach(folder IN LISTS GRIDMOOR_DESTINATION_FOLDERS)
    while(NOT folder STREQUAL "")
        list(APPEND GRIDMOOR_FOLDERS "${GRIDMOOR_ROOT}/${folder}")
        get_filename_component(folder "${folder}" DIRECTORY)
    endwhile()
endforeach()
list(REMOVE_DUPLICATES GRIDMOOR_FOLDERS)
set(GRIDMOOR_EXISTING_FOLDERS)
foreach(folder IN LISTS GRIDMOOR_FOLDERS)
    if(IS_DIRECTORY "${folder}")
        list(APPEND GRIDMOOR_EXISTING_FOLDERS "${folder}")
    endif()
endforeach()
