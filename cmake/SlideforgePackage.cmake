# What `cmake --install` puts where, and the .deb that CPack makes of it.
# Debian's own triggers refresh the menus, the icon cache and the MIME
# database when the package is installed or removed.
install(TARGETS slideforge RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/slideforge.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/slideforge-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME slideforge.xml)
install(FILES data/icons/slideforge.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
  install(FILES data/icons/slideforge-${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME slideforge.png)
endforeach()
install(FILES data/slideforge.bash DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME slideforge)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME slideforge)
set(CPACK_PACKAGE_VENDOR "Slideforge")
set(CPACK_PACKAGE_CONTACT "Slideforge developers <slideforge@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn a list of pictures into an AVI video or an animated GIF")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Slideforge makes slide shows: an ordered list of pictures (BMP, JPEG, PNG, GIF,\n ICO, WMF, EMF), each with its own image effects, fitted onto frames over a\n background and written as an AVI video with an optional WAV sound track, or as\n an animated GIF. It comes with a batch image converter, AVI and GIF frame\n extractors and a video bitrate calculator, and a command line for every job.")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# The package installs where the build was configured to (Help looks for the
# guide there): configure with -DCMAKE_INSTALL_PREFIX=/usr for a .deb.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
include(CPack)
