# The Windows programs as a ZIP archive, made by CPack from the install rules:
#
#     cmake --build --preset windows --target package         (64 bit)
#     cmake --build --preset windows-i686 --target package    (32 bit)
#
# give zedulo-<version>-win64.zip and zedulo-<version>-win32.zip, holding
# zedulo.exe, zedulo-convert.exe, the help page (which the program looks for
# beside itself) and a short German LIESMICH.txt. The programs need no DLL
# of their own, so the folder can go anywhere.
install(FILES ${PROJECT_SOURCE_DIR}/help/Zedulo.html ${CMAKE_CURRENT_LIST_DIR}/windows/LIESMICH.txt
        DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME zedulo)
set(CPACK_PACKAGE_VENDOR "Die Zedulo-Entwickler")
set(CPACK_PACKAGE_VERSION ${ZEDULO_VERSION})
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(zedulo_package zedulo-${ZEDULO_VERSION}-win64)
else()
    set(zedulo_package zedulo-${ZEDULO_VERSION}-win32)
endif()
set(CPACK_PACKAGE_FILE_NAME ${zedulo_package})
# The files at the top: unpacking makes the folder.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)

# The installer, zedulo-<version>-win64-setup.exe or -win32-setup.exe, made
# with NSIS from the same installed files as the archive:
#
#     cmake --build --preset windows --target installer
#
# packaging/windows/Zedulo.nsi says what it does; it is built with the
# programs, so that the tests can install it.
find_program(ZEDULO_MAKENSIS makensis REQUIRED)
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE ZEDULO_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)
set(ZEDULO_INSTALLER ${CMAKE_BINARY_DIR}/${zedulo_package}-setup.exe)
set(staged ${CMAKE_BINARY_DIR}/installer-files)
set(nsis_defines
    -DVERSION=${ZEDULO_VERSION} -DPUBLISHER=${CPACK_PACKAGE_VENDOR} -DCOPYRIGHT=${ZEDULO_COPYRIGHT}
    -DFILES=${staged} -DSOURCE=${PROJECT_SOURCE_DIR} -DOUTFILE=${ZEDULO_INSTALLER})
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    list(APPEND nsis_defines -DAMD64)
endif()
add_custom_command(OUTPUT ${ZEDULO_INSTALLER}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${staged}
    COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${staged} --strip
    COMMAND ${ZEDULO_MAKENSIS} -V2 -NOCD ${nsis_defines} ${CMAKE_CURRENT_LIST_DIR}/windows/Zedulo.nsi
    DEPENDS zedulo zedulo-convert ${CMAKE_CURRENT_LIST_DIR}/windows/Zedulo.nsi
            ${CMAKE_CURRENT_LIST_DIR}/windows/LIESMICH.txt ${PROJECT_SOURCE_DIR}/help/Zedulo.html
            ${PROJECT_SOURCE_DIR}/res/Zedulo.ico ${PROJECT_SOURCE_DIR}/LICENSE
    COMMENT "Making ${zedulo_package}-setup.exe"
    VERBATIM)
add_custom_target(installer ALL DEPENDS ${ZEDULO_INSTALLER})
