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
    set(CPACK_PACKAGE_FILE_NAME zedulo-${ZEDULO_VERSION}-win64)
else()
    set(CPACK_PACKAGE_FILE_NAME zedulo-${ZEDULO_VERSION}-win32)
endif()
# The files at the top: unpacking makes the folder.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
