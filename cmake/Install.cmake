# Installation as a desktop application, and the Debian package made from it by CPack.
# Texts, pictures, layouts and the robot programs are compiled into the programs, so only the
# programs and the desktop integration files are installed.

include(GNUInstallDirs)

set(ROVALIS_APP_ID com.veltraneinc.Rovalis)
set(ROVALIS_MIME_ICON application-x-rovalis-actions)
set(ROVALIS_LINUX_DIR ${PROJECT_SOURCE_DIR}/resources/linux)

foreach(program rovalis rovalis-cli tessic rovalis-sim)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

if(ROVALIS_BUILD_GUI)
  install(FILES ${ROVALIS_LINUX_DIR}/${ROVALIS_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${ROVALIS_LINUX_DIR}/${ROVALIS_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${ROVALIS_LINUX_DIR}/${ROVALIS_APP_ID}.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
  set(icon_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  install(FILES ${ROVALIS_LINUX_DIR}/icons/scalable/${ROVALIS_APP_ID}.svg
          DESTINATION ${icon_dir}/scalable/apps)
  install(FILES ${ROVALIS_LINUX_DIR}/icons/scalable/${ROVALIS_MIME_ICON}.svg
          DESTINATION ${icon_dir}/scalable/mimetypes)
  foreach(size 48x48 256x256)
    install(FILES ${ROVALIS_LINUX_DIR}/icons/${size}/${ROVALIS_APP_ID}.png
            DESTINATION ${icon_dir}/${size}/apps)
    install(FILES ${ROVALIS_LINUX_DIR}/icons/${size}/${ROVALIS_MIME_ICON}.png
            DESTINATION ${icon_dir}/${size}/mimetypes)
  endforeach()
endif()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/rovalis)

# The installed tree and the package, checked by installing them into a temporary folder.
if(ROVALIS_BUILD_TESTS AND ROVALIS_BUILD_GUI)
  add_test(NAME install_tree_and_package
           COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-install.sh ${CMAKE_BINARY_DIR} --deb)
endif()

# cpack -G DEB in the build folder makes rovalis_<version>_<arch>.deb.
set(CPACK_PACKAGE_NAME rovalis)
set(CPACK_PACKAGE_VENDOR "Veltrane Inc.")
set(CPACK_PACKAGE_CONTACT "Veltrane Inc. <rovalis@veltraneinc.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Program a two-wheeled robot without writing code")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Action tiles go into step lists; one button turns them into a program for the robot's "
    "module, compiles it and downloads it over the serial port. Includes the command-line "
    "compiler, tools and a virtual robot.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY rovalis)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Debian 12 runtime packages of what the programs link: Qt 6 Core, Gui (with the xcb
# platform and the GIF reader), Widgets and Serial Port, and the C++ runtime of g++ 12.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6serialport6 (>= 6.4), libc6 (>= 2.36), libstdc++6 (>= 12), libgcc-s1")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")
# Debian's own tools refresh the menu, the file types and the icon cache from triggers.
set(CPACK_STRIP_FILES ON)
include(CPack)
