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

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zegerooster)
set(CPACK_PACKAGE_VENDOR "Zegerooster")
set(CPACK_PACKAGE_CONTACT "Zegerooster")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "toernooiplanner met poules en knockoutrondes")
set(CPACK_PACKAGE_DESCRIPTION "Zegerooster plant een clubtoernooi: poules van twee \
opeenvolgende groottes, een loting, en daarna een winnaars- en een verliezersronde \
die gespeeld worden terwijl de uitslagen worden ingevoerd.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The Qt and libzip libraries come from what the program links
# (dpkg-shlibdeps); Qt's platform plugins are loaded at run time, so no
# library names them and they are listed by hand.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# LibreOffice converts legacy .xlt templates; the Dutch Qt texts are for the
# standard dialogs. The program works without either.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libreoffice-calc-nogui, qt6-translations-l10n")
include(CPack)
