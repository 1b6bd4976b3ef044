# The installation: `cmake --install build --prefix P` places the program and
# its shipped files in one installation folder, P/lib/gridmoor, with the HTTP
# module, the hook and the zlib it loads; a launcher in P/bin; and the desktop entry, icons,
# shared-mime-info package and AppStream metainfo under P/share, named after
# the application id. Then it runs the hook on the installation folder.
#
# It does so as one transaction (install_transaction.cmake, the only step of
# the default component): the rules below belong to the component
# "gridmoor_files", which the transaction runs in a cmake process of its own
# so that a failure in any of them, CMake's copying included, comes back to it
# and it can take back exactly what this run placed. Every file the
# installation places must therefore be named in gridmoor_placed_files.
include(GNUInstallDirs)
set(GRIDMOOR_INSTALL_FOLDER ${CMAKE_INSTALL_LIBDIR}/gridmoor CACHE STRING
    "Installation folder of the program and its shipped files, below the prefix")
option(GRIDMOOR_INSTALL_STRIPPED "Install the program and the hook without their debug information" ON)
set(application_id org.gridmoor.gridmoor)
set(icon_sizes 16 22 24 32 48 64 128 256)
set(icons_folder ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
set(files_component gridmoor_files)

find_program(GRIDMOOR_RSVG_CONVERT rsvg-convert)
if(NOT GRIDMOOR_RSVG_CONVERT)
    message(FATAL_ERROR "rsvg-convert is missing; it renders the icons (Debian package librsvg2-bin, "
                        "installed by scripts/install-deps.sh)")
endif()

# The shipped documents go out gzip-compressed under their own names; the hook
# unpacks them in the installation folder.
set(compressed_documents)
file(GLOB shipped_documents CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/*.gmd)
foreach(document IN LISTS shipped_documents)
    get_filename_component(name ${document} NAME)
    set(compressed ${CMAKE_CURRENT_BINARY_DIR}/shipped/${name})
    add_custom_command(OUTPUT ${compressed}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/shipped
        COMMAND ${CMAKE_COMMAND} -DSOURCE=${document} -DTARGET=${compressed}
                -P ${CMAKE_CURRENT_SOURCE_DIR}/gzip_file.cmake
        DEPENDS ${document} ${CMAKE_CURRENT_SOURCE_DIR}/gzip_file.cmake
        COMMENT "Compressing the shipped document ${name}")
    list(APPEND compressed_documents ${compressed})
endforeach()

set(rendered_icons)
foreach(size IN LISTS icon_sizes)
    set(icon ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}/${application_id}.png)
    add_custom_command(OUTPUT ${icon}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}
        COMMAND ${GRIDMOOR_RSVG_CONVERT} -w ${size} -h ${size} -o ${icon} ${PROJECT_SOURCE_DIR}/resources/gridmoor.svg
        DEPENDS ${PROJECT_SOURCE_DIR}/resources/gridmoor.svg
        COMMENT "Rendering the ${size}x${size} icon")
    list(APPEND rendered_icons ${icon})
endforeach()
add_custom_target(gridmoor_install_files ALL DEPENDS ${compressed_documents} ${rendered_icons})

configure_file(${PROJECT_SOURCE_DIR}/resources/gridmoor.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/${application_id}.metainfo.xml @ONLY)

# The launcher in bin is a relative link to the program, made here and copied
# as a link.
file(RELATIVE_PATH launcher_target /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${GRIDMOOR_INSTALL_FOLDER}/gridmoor)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/launcher)
file(CREATE_LINK ${launcher_target} ${CMAKE_CURRENT_BINARY_DIR}/launcher/gridmoor SYMBOLIC)

set(gridmoor_placed_files)
function(gridmoor_install_file source folder name)
    install(FILES ${source} DESTINATION ${folder} RENAME ${name} COMPONENT ${files_component} EXCLUDE_FROM_ALL)
    set(gridmoor_placed_files ${gridmoor_placed_files} ${folder}/${name} PARENT_SCOPE)
endfunction()

install(TARGETS gridmoor RUNTIME DESTINATION ${GRIDMOOR_INSTALL_FOLDER} COMPONENT ${files_component} EXCLUDE_FROM_ALL)
install(TARGETS GridmoorSetup LIBRARY DESTINATION ${GRIDMOOR_INSTALL_FOLDER} COMPONENT ${files_component} EXCLUDE_FROM_ALL)
# The HTTP and printing modules go beside the program, which loads them from there.
install(TARGETS gridmoor_http gridmoor_print LIBRARY DESTINATION ${GRIDMOOR_INSTALL_FOLDER}
        COMPONENT ${files_component} EXCLUDE_FROM_ALL)
list(APPEND gridmoor_placed_files ${GRIDMOOR_INSTALL_FOLDER}/$<TARGET_FILE_NAME:gridmoor>
     ${GRIDMOOR_INSTALL_FOLDER}/$<TARGET_FILE_NAME:GridmoorSetup>
     ${GRIDMOOR_INSTALL_FOLDER}/$<TARGET_FILE_NAME:gridmoor_http>
     ${GRIDMOOR_INSTALL_FOLDER}/$<TARGET_FILE_NAME:gridmoor_print>)
foreach(document IN LISTS compressed_documents)
    get_filename_component(name ${document} NAME)
    gridmoor_install_file(${document} ${GRIDMOOR_INSTALL_FOLDER} ${name})
endforeach()
gridmoor_install_file(${GRIDMOOR_PLATFORM_ZLIB_FILE} ${GRIDMOOR_INSTALL_FOLDER} libz.so.1)
gridmoor_install_file(${CMAKE_CURRENT_BINARY_DIR}/launcher/gridmoor ${CMAKE_INSTALL_BINDIR} gridmoor)
gridmoor_install_file(${PROJECT_SOURCE_DIR}/resources/gridmoor.svg ${icons_folder}/scalable/apps ${application_id}.svg)
foreach(size IN LISTS icon_sizes)
    gridmoor_install_file(${CMAKE_CURRENT_BINARY_DIR}/icons/${size}/${application_id}.png
                          ${icons_folder}/${size}x${size}/apps ${application_id}.png)
endforeach()
gridmoor_install_file(${CMAKE_CURRENT_BINARY_DIR}/${application_id}.metainfo.xml
                      ${CMAKE_INSTALL_DATADIR}/metainfo ${application_id}.metainfo.xml)

# The desktop entry and the thumbnailer run the program by its full path,
# which is known only at install time; the entry says what the program's
# per-user registration writes.
set(entry ${CMAKE_INSTALL_DATADIR}/applications/${application_id}.desktop)
set(package ${CMAKE_INSTALL_DATADIR}/mime/packages/gridmoor.xml)
set(thumbnailer ${CMAKE_INSTALL_DATADIR}/thumbnailers/${application_id}.thumbnailer)
list(APPEND gridmoor_placed_files ${entry} ${package} ${thumbnailer})
install(CODE "
    execute_process(COMMAND \"$<TARGET_FILE:gridmoor_registration_files>\"
                            \"\${CMAKE_INSTALL_PREFIX}/${GRIDMOOR_INSTALL_FOLDER}/gridmoor\"
                            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${entry}\"
                            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${package}\"
                            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${thumbnailer}\"
                    RESULT_VARIABLE written ERROR_VARIABLE details)
    if(NOT written EQUAL 0)
        message(FATAL_ERROR \"the desktop entry could not be written: \${details}\")
    endif()
    " COMPONENT ${files_component} EXCLUDE_FROM_ALL)

# Last, the hook unpacks the shipped files in the installation folder.
install(CODE "
    set(installation \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${GRIDMOOR_INSTALL_FOLDER}\")
    message(STATUS \"Unpacking the shipped files in \${installation}\")
    execute_process(COMMAND \"$<TARGET_FILE:gridmoor_setup_runner>\" \"\${installation}\"
                    RESULT_VARIABLE unpacked ERROR_VARIABLE details)
    string(STRIP \"\${details}\" details)
    if(NOT unpacked EQUAL 0 AND details STREQUAL \"\")
        message(FATAL_ERROR \"the setup hook failed on \${installation}: \${unpacked}\")
    elseif(NOT unpacked EQUAL 0)
        message(FATAL_ERROR \"\${details}\")
    endif()
    " COMPONENT ${files_component} EXCLUDE_FROM_ALL)

# Files of earlier versions under names the installation no longer uses; an
# installation over such a version retires them.
set(former_files ${CMAKE_INSTALL_DATADIR}/applications/gridmoor.desktop ${icons_folder}/scalable/apps/gridmoor.svg)
foreach(size IN LISTS icon_sizes)
    list(APPEND former_files ${icons_folder}/${size}x${size}/apps/gridmoor.png)
endforeach()

install(CODE "
    set(GRIDMOOR_PLACED_FILES \"${gridmoor_placed_files}\")
    set(GRIDMOOR_FORMER_FILES \"${former_files}\")
    set(GRIDMOOR_FILES_COMPONENT \"${files_component}\")
    set(GRIDMOOR_FILES_SCRIPT \"${CMAKE_CURRENT_BINARY_DIR}/cmake_install.cmake\")
    set(GRIDMOOR_INSTALL_STRIPPED \"${GRIDMOOR_INSTALL_STRIPPED}\")
    set(GRIDMOOR_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
    set(GRIDMOOR_BUILD_DIR \"${PROJECT_BINARY_DIR}\")
    ")
install(SCRIPT install_transaction.cmake)

# `cmake --build build --target uninstall` takes back the installation that
# the build folder's manifest records (with DESTDIR set, a staged one).
add_custom_target(uninstall
    COMMAND ${CMAKE_COMMAND} -DGRIDMOOR_BUILD_DIR=${PROJECT_BINARY_DIR} -P ${CMAKE_CURRENT_SOURCE_DIR}/uninstall.cmake
    COMMENT "Removing the installation recorded in ${PROJECT_BINARY_DIR}"
    VERBATIM)
