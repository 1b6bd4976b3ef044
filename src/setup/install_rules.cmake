# The installation: `cmake --install build --prefix P` places the program and
# its shipped files in one installation folder, P/lib/gridmoor, with the hook
# and the zlib it loads; a launcher in P/bin; and the desktop entry, icons,
# shared-mime-info package and AppStream metainfo under P/share. Then it runs
# the hook on the installation folder; when the hook fails, everything this
# installation placed is removed again and the installation fails.
include(GNUInstallDirs)
set(GRIDMOOR_INSTALL_FOLDER ${CMAKE_INSTALL_LIBDIR}/gridmoor CACHE STRING
    "Installation folder of the program and its shipped files, below the prefix")
set(icon_sizes 16 22 24 32 48 64 128 256)
set(icons_folder ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

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
    set(icon ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}/gridmoor.png)
    add_custom_command(OUTPUT ${icon}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}
        COMMAND ${GRIDMOOR_RSVG_CONVERT} -w ${size} -h ${size} -o ${icon} ${PROJECT_SOURCE_DIR}/resources/gridmoor.svg
        DEPENDS ${PROJECT_SOURCE_DIR}/resources/gridmoor.svg
        COMMENT "Rendering the ${size}x${size} icon")
    list(APPEND rendered_icons ${icon})
endforeach()
add_custom_target(gridmoor_install_files ALL DEPENDS ${compressed_documents} ${rendered_icons})

configure_file(${PROJECT_SOURCE_DIR}/resources/gridmoor.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/org.gridmoor.gridmoor.metainfo.xml @ONLY)

set(destination_folders ${CMAKE_INSTALL_BINDIR} ${GRIDMOOR_INSTALL_FOLDER}
    ${CMAKE_INSTALL_DATADIR}/applications ${CMAKE_INSTALL_DATADIR}/mime/packages
    ${CMAKE_INSTALL_DATADIR}/metainfo ${icons_folder}/scalable/apps)
foreach(size IN LISTS icon_sizes)
    list(APPEND destination_folders ${icons_folder}/${size}x${size}/apps)
endforeach()
install(CODE "
    set(GRIDMOOR_INSTALL_FOLDER \"${GRIDMOOR_INSTALL_FOLDER}\")
    set(GRIDMOOR_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
    set(GRIDMOOR_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
    set(GRIDMOOR_DESTINATION_FOLDERS \"${destination_folders}\")
    set(GRIDMOOR_SETUP_RUNNER \"$<TARGET_FILE:gridmoor_setup_runner>\")
    set(GRIDMOOR_REGISTRATION_TOOL \"$<TARGET_FILE:gridmoor_registration_files>\")
")
install(SCRIPT install_begin.cmake)

install(TARGETS gridmoor RUNTIME DESTINATION ${GRIDMOOR_INSTALL_FOLDER})
install(FILES ${compressed_documents} DESTINATION ${GRIDMOOR_INSTALL_FOLDER})
install(TARGETS GridmoorSetup LIBRARY DESTINATION ${GRIDMOOR_INSTALL_FOLDER})
install(FILES ${GRIDMOOR_PLATFORM_ZLIB_FILE} DESTINATION ${GRIDMOOR_INSTALL_FOLDER} RENAME libz.so.1)

install(FILES ${PROJECT_SOURCE_DIR}/resources/gridmoor.svg DESTINATION ${icons_folder}/scalable/apps)
foreach(size IN LISTS icon_sizes)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}/gridmoor.png
            DESTINATION ${icons_folder}/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/org.gridmoor.gridmoor.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

install(SCRIPT install_finish.cmake)
