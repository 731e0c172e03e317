# Installs the program with its desktop entry, icon and AppStream metadata in
# the usual places under the prefix, and lets CPack make a Debian package of
# that tree (cpack -G DEB in the build folder).
include(GNUInstallDirs)

set(ZEGEROOSTER_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
install(TARGETS zegerooster RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${ZEGEROOSTER_PACKAGING_DIR}/${ZEGEROOSTER_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZEGEROOSTER_PACKAGING_DIR}/${ZEGEROOSTER_APP_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${ZEGEROOSTER_PACKAGING_DIR}/${ZEGEROOSTER_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The file type of a tournament (shared-mime-info picks it up from here).
install(FILES ${ZEGEROOSTER_PACKAGING_DIR}/${ZEGEROOSTER_APP_ID}.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

# The manual page is made from --help by the program just built, and like the
# changelog compressed without a time stamp, so a package built twice from the
# same tree holds the same files.
set(ZEGEROOSTER_DOCS_DIR ${CMAKE_BINARY_DIR}/packaging)
find_program(GZIP_COMMAND gzip REQUIRED)
add_custom_command(
  OUTPUT ${ZEGEROOSTER_DOCS_DIR}/zegerooster.1.gz
  COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:zegerooster> -DVERSION=${PROJECT_VERSION}
    -DOUTPUT=${ZEGEROOSTER_DOCS_DIR}/zegerooster.1 -P ${ZEGEROOSTER_PACKAGING_DIR}/Manpage.cmake
  COMMAND ${GZIP_COMMAND} -9nf ${ZEGEROOSTER_DOCS_DIR}/zegerooster.1
  DEPENDS zegerooster ${ZEGEROOSTER_PACKAGING_DIR}/Manpage.cmake
  COMMENT "Manual page from zegerooster --help")
add_custom_command(
  OUTPUT ${ZEGEROOSTER_DOCS_DIR}/changelog.gz
  COMMAND ${GZIP_COMMAND} -9nc ${ZEGEROOSTER_PACKAGING_DIR}/changelog
    > ${ZEGEROOSTER_DOCS_DIR}/changelog.gz
  DEPENDS ${ZEGEROOSTER_PACKAGING_DIR}/changelog)
add_custom_target(zegerooster_docs ALL
  DEPENDS ${ZEGEROOSTER_DOCS_DIR}/zegerooster.1.gz ${ZEGEROOSTER_DOCS_DIR}/changelog.gz)
install(FILES ${ZEGEROOSTER_DOCS_DIR}/zegerooster.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${ZEGEROOSTER_DOCS_DIR}/changelog.gz ${ZEGEROOSTER_PACKAGING_DIR}/copyright
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zegerooster)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zegerooster)
set(CPACK_PACKAGE_VENDOR "Zegerooster")
set(ZEGEROOSTER_MAINTAINER "Zegerooster <info@zegerooster.nl>" CACHE STRING
  "The package's maintainer, as \"name <address>\"")
set(CPACK_PACKAGE_CONTACT "${ZEGEROOSTER_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "toernooiplanner met poules en knockoutrondes")
# Lines of at most 80 characters: CPack copies them into the control file as
# they are.
set(CPACK_PACKAGE_DESCRIPTION "Zegerooster plant een clubtoernooi: poules van twee opeenvolgende
groottes, een loting, en daarna een winnaars- en een verliezersronde die
gespeeld worden terwijl de uitslagen worden ingevoerd.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The Qt and libzip libraries come from what the program links
# (dpkg-shlibdeps); Qt's platform plugins are loaded at run time, so no
# library names them and they are listed by hand.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Without dpkg-shlibdeps CPack only notes it and makes a package that depends
# on nothing but the plugins; that package fails at its first start, so
# packaging stops instead (CPackChecks.cmake, read by cpack).
set(CPACK_PROJECT_CONFIG_FILE ${ZEGEROOSTER_PACKAGING_DIR}/CPackChecks.cmake)
# LibreOffice converts legacy .xlt templates; the Dutch Qt texts are for the
# standard dialogs. The program works without either.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libreoffice-calc-nogui, qt6-translations-l10n")
include(CPack)
