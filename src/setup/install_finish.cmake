# Part of the installation, run after the files are placed: adds the launcher
# and the desktop registration files, runs the setup hook on the installation
# folder and, when anything here fails, removes every file and every new folder
# this installation placed before failing. Afterwards it refreshes the
# desktop's caches of the prefix, unless the files are staged in DESTDIR for a
# package.
set(launcher "${GRIDMOOR_ROOT}/${GRIDMOOR_BINDIR}/gridmoor")
set(installation "${GRIDMOOR_ROOT}/${GRIDMOOR_INSTALL_FOLDER}")
set(entry "${GRIDMOOR_ROOT}/${GRIDMOOR_DATADIR}/applications/gridmoor.desktop")
set(package "${GRIDMOOR_ROOT}/${GRIDMOOR_DATADIR}/mime/packages/gridmoor.xml")

function(gridmoor_roll_back reason)
    foreach(file IN LISTS CMAKE_INSTALL_MANIFEST_FILES)
        file(REMOVE "${file}")
    endforeach()
    # Descending order puts every folder before its parents.
    set(folders ${GRIDMOOR_FOLDERS})
    list(SORT folders ORDER DESCENDING)
    foreach(folder IN LISTS folders)
        list(FIND GRIDMOOR_EXISTING_FOLDERS "${folder}" existing)
        if(IS_DIRECTORY "${folder}" AND existing EQUAL -1)
            file(GLOB children LIST_DIRECTORIES true "${folder}/*" "${folder}/.*")
            if(NOT children)
                file(REMOVE_RECURSE "${folder}")
            endif()
        endif()
    endforeach()
    message(FATAL_ERROR "Gridmoor was not installed: ${reason}\n"
                        "Every file this installation placed in ${GRIDMOOR_ROOT} was removed again.")
endfunction()

file(MAKE_DIRECTORY "${GRIDMOOR_ROOT}/${GRIDMOOR_BINDIR}")
file(RELATIVE_PATH target "${CMAKE_INSTALL_PREFIX}/${GRIDMOOR_BINDIR}"
     "${CMAKE_INSTALL_PREFIX}/${GRIDMOOR_INSTALL_FOLDER}/gridmoor")
message(STATUS "Installing: ${launcher} -> ${target}")
file(CREATE_LINK "${target}" "${launcher}" SYMBOLIC RESULT linked)
if(NOT linked EQUAL 0)
    gridmoor_roll_back("the launcher ${launcher} could not be made: ${linked}")
endif()
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${launcher}")

message(STATUS "Installing: ${entry}")
message(STATUS "Installing: ${package}")
file(MAKE_DIRECTORY "${GRIDMOOR_ROOT}/${GRIDMOOR_DATADIR}/applications" "${GRIDMOOR_ROOT}/${GRIDMOOR_DATADIR}/mime/packages")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entry}" "${package}")
# The entry runs the program by its full path, as the per-user registration
# does, so that both agree.
execute_process(COMMAND "${GRIDMOOR_REGISTRATION_TOOL}" "${CMAKE_INSTALL_PREFIX}/${GRIDMOOR_INSTALL_FOLDER}/gridmoor"
                        "${entry}" "${package}"
                RESULT_VARIABLE written ERROR_VARIABLE details)
if(NOT written EQUAL 0)
    gridmoor_roll_back("the desktop entry could not be written: ${details}")
endif()

message(STATUS "Unpacking the shipped files in ${installation}")
execute_process(COMMAND "${GRIDMOOR_SETUP_RUNNER}" "${installation}" RESULT_VARIABLE unpacked ERROR_VARIABLE details)
if(NOT unpacked EQUAL 0)
    string(STRIP "${details}" details)
    gridmoor_roll_back("the setup hook failed to unpack the shipped files in ${installation}.\n${details}")
endif()

if("$ENV{DESTDIR}" STREQUAL "")
    find_program(update_mime update-mime-database)
    find_program(update_desktop update-desktop-database)
    if(update_mime)
        execute_process(COMMAND "${update_mime}" "${GRIDMOOR_ROOT}/${GRIDMOOR_DATADIR}/mime" OUTPUT_QUIET ERROR_QUIET)
    endif()
    if(update_desktop)
        execute_process(COMMAND "${update_desktop}" "${GRIDMOOR_ROOT}/${GRIDMOOR_DATADIR}/applications"
                        OUTPUT_QUIET ERROR_QUIET)
    endif()
endif()
