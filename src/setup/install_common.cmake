# What the installation and the uninstall target share.

# The records an installation keeps in the build folder: CMake's manifest of
# the files it placed (paths without DESTDIR) and the list of the folders it
# made (full paths). A run of one component adds "_<component>" to the names,
# as CMake does for its manifest; a run that stages the files in DESTDIR adds
# "_destdir", so that it never replaces the records of a real installation.
function(gridmoor_install_records build_folder component destdir manifest_var folders_var)
    set(suffix "")
    if(component)
        set(suffix "_${component}")
    endif()
    if(NOT destdir STREQUAL "")
        string(APPEND suffix "_destdir")
    endif()
    set(${manifest_var} "${build_folder}/install_manifest${suffix}.txt" PARENT_SCOPE)
    set(${folders_var} "${build_folder}/install_folders${suffix}.txt" PARENT_SCOPE)
endfunction()

# Refreshes the desktop's caches of the file types and the desktop entries
# below a data folder (share), where their tools are installed. Staged files
# (DESTDIR) are left to the package's own triggers.
function(gridmoor_refresh_desktop_caches data_folder)
    if(NOT "$ENV{DESTDIR}" STREQUAL "")
        return()
    endif()
    find_program(update_mime update-mime-database)
    find_program(update_desktop update-desktop-database)
    if(update_mime AND IS_DIRECTORY "${data_folder}/mime")
        execute_process(COMMAND "${update_mime}" "${data_folder}/mime" OUTPUT_QUIET ERROR_QUIET)
    endif()
    if(update_desktop AND IS_DIRECTORY "${data_folder}/applications")
        execute_process(COMMAND "${update_desktop}" "${data_folder}/applications" OUTPUT_QUIET ERROR_QUIET)
    endif()
endfunction()

# True when path names a file or a link (dangling or not), not a folder.
function(gridmoor_is_file path result_var)
    if(IS_SYMLINK "${path}" OR (EXISTS "${path}" AND NOT IS_DIRECTORY "${path}"))
        set(${result_var} TRUE PARENT_SCOPE)
    else()
        set(${result_var} FALSE PARENT_SCOPE)
    endif()
endfunction()

# Removes the file at path; appends a line to the list left_var when it is
# still there afterwards.
function(gridmoor_remove_file path left_var)
    file(REMOVE "${path}")
    gridmoor_is_file("${path}" still_there)
    if(still_there)
        set(${left_var} ${${left_var}} "${path} could not be removed" PARENT_SCOPE)
    endif()
endfunction()

# Removes every folder of the list that is empty, deepest first; appends a
# line to left_var for an empty one that stays.
function(gridmoor_remove_empty_folders folders left_var)
    set(left ${${left_var}})
    list(SORT folders ORDER DESCENDING)
    foreach(folder IN LISTS folders)
        if(IS_DIRECTORY "${folder}" AND NOT IS_SYMLINK "${folder}")
            file(GLOB children LIST_DIRECTORIES true "${folder}/*" "${folder}/.*")
            if(NOT children)
                file(REMOVE_RECURSE "${folder}")
                if(IS_DIRECTORY "${folder}")
                    list(APPEND left "the empty folder ${folder} could not be removed")
                endif()
            endif()
        endif()
    endforeach()
    set(${left_var} ${left} PARENT_SCOPE)
endfunction()
