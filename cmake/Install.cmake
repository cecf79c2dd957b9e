# Install layout (FHS under CMAKE_INSTALL_PREFIX) and the Debian package (cpack -G DEB).
set(BEAMWRIGHT_APP_ID org.beamwright.Beamwright)
set(BEAMWRIGHT_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS beamwright-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${BEAMWRIGHT_PACKAGING_DIR}/beamwright-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${BEAMWRIGHT_EXAMPLES_DIR}/ExampleDXF.dxf ${BEAMWRIGHT_EXAMPLES_DIR}/ExampleBMP.jpg
              ${BEAMWRIGHT_EXAMPLES_DIR}/ExamplePCB.bmp
        DESTINATION ${BEAMWRIGHT_INSTALL_EXAMPLES_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/beamwright)

if(BEAMWRIGHT_BUILD_APP)
  install(TARGETS beamwright RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${BEAMWRIGHT_PACKAGING_DIR}/${BEAMWRIGHT_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${BEAMWRIGHT_PACKAGING_DIR}/${BEAMWRIGHT_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${BEAMWRIGHT_PACKAGING_DIR}/icons/beamwright.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${BEAMWRIGHT_APP_ID}.svg)
  foreach(size 16 24 32 48 64 128 256)
    install(FILES ${BEAMWRIGHT_PACKAGING_DIR}/icons/beamwright-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${BEAMWRIGHT_APP_ID}.png)
  endforeach()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME beamwright)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Corvane)
set(CPACK_PACKAGE_CONTACT "Beamwright maintainers <maintainers@beamwright.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turns drawings and pictures into G-code for laser engravers")
set(CPACK_PACKAGE_DESCRIPTION "Beamwright turns DXF drawings, BMP/JPEG pictures and PCB bitmaps into G-code
for small laser engravers and cutters with GRBL-style controllers: a Qt window
and beamwright-cli, which writes the same programs from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The library packages the binaries need, found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The platform plugins (xcb, wayland) the window needs on a desktop; shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
include(CPack)
