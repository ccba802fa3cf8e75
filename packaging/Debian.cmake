# The Debian package, made by CPack from the install rules:
#
#     cpack --config <build>/CPackConfig.cmake     (scripts/package.sh does it all)
#
# gives zedulo_<version>_<arch>.deb. Besides what the program's install rules
# put in, Debian wants /usr/share/doc/zedulo/copyright (machine-readable, the
# terms taken from LICENSE) and, as the package is native, changelog.gz; both
# are installed by `cmake --install` too.

set(ZEDULO_MAINTAINER "Die Zedulo-Entwickler <zedulo@example.org>")
set(zeduloPackagingDir ${PROJECT_BINARY_DIR}/packaging)
set(zeduloDocDir ${CMAKE_INSTALL_DATADIR}/doc/zedulo)

# The copyright file: its copyright line and licence terms come from LICENSE,
# the terms indented by one space and empty lines written as " .".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE zeduloLicense)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
if(NOT zeduloLicense MATCHES "Copyright \\(c\\) ([^\n]+)\n")
    message(FATAL_ERROR "LICENSE has no copyright line")
endif()
set(ZEDULO_COPYRIGHT "${CMAKE_MATCH_1}")
string(FIND "${zeduloLicense}" "Permission is hereby granted" termsStart)
if(termsStart LESS 0)
    message(FATAL_ERROR "LICENSE does not hold the MIT terms")
endif()
string(SUBSTRING "${zeduloLicense}" ${termsStart} -1 terms)
string(STRIP "${terms}" terms)
string(REPLACE "\n\n" "\n.\n" terms "${terms}")
string(REPLACE "\n" "\n " terms "${terms}")
set(ZEDULO_LICENSE_TERMS " ${terms}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in ${zeduloPackagingDir}/copyright @ONLY)

# The changelog, compressed as Debian wants it: gzip -9, no name or time stamp.
find_program(ZEDULO_GZIP gzip REQUIRED)
add_custom_command(
    OUTPUT ${zeduloPackagingDir}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/changelog ${zeduloPackagingDir}/changelog
    COMMAND ${ZEDULO_GZIP} -9 -n -f ${zeduloPackagingDir}/changelog
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog
    COMMENT "Compressing the Debian changelog"
    VERBATIM)
add_custom_target(zedulo_debian_changelog ALL DEPENDS ${zeduloPackagingDir}/changelog.gz)

install(FILES ${zeduloPackagingDir}/copyright ${zeduloPackagingDir}/changelog.gz DESTINATION ${zeduloDocDir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zedulo)
set(CPACK_PACKAGE_VERSION ${ZEDULO_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "converts FritzBox phonebooks for the klingeo telephony application")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZEDULO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[
Zedulo reads the phonebook of a FritzBox router (the XML backup, or the
export of semicolon-separated lines, *.adr) and writes the phonebook file
of the klingeo telephony application: one line per entry, the number, a
semicolon and the name. International numbers of the backup ("+49 ...")
are written as dialled from the user's country, and an existing phonebook
is replaced only once the new one is complete.

The package holds the dialog program zedulo and the command-line converter
zedulo-convert for scripts, which can also download the phonebook from the
FritzBox itself (TR-064). Both speak German.]=])
# The libraries the programs link come from dpkg-shlibdeps; Qt's German texts
# and libcurl, both loaded at run time, are dependencies it cannot see
# (libcurl 7.85 for CURLOPT_PROTOCOLS_STR).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, libcurl4 (>= 7.85.0)")

include(CPack)
