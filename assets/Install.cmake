# Installation as a desktop game: the launcher under games/, the program beside its help page in
# a private directory, read-only data under share/qxpuzzle/, and the desktop integration files.
set(QX_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/qxpuzzle)
set(QX_SHARE_DIR ${CMAKE_INSTALL_DATAROOTDIR}/qxpuzzle)
set(QX_HELP_PAGE "ＱＸパズル.html")

install(TARGETS qxpuzzle RUNTIME DESTINATION ${QX_PROGRAM_DIR})
install(TARGETS qxcues LIBRARY DESTINATION ${QX_PROGRAM_DIR})
configure_file(${PROJECT_SOURCE_DIR}/assets/qxpuzzle.in ${CMAKE_BINARY_DIR}/launcher/qxpuzzle @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher/qxpuzzle DESTINATION games)

install(DIRECTORY ${QX_RUN_DIR}/oto DESTINATION ${QX_SHARE_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/assets/${QX_HELP_PAGE} DESTINATION ${QX_SHARE_DIR})
# The program looks for its help page in its own directory.
install(CODE "
  set(dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QX_PROGRAM_DIR}\")
  file(RELATIVE_PATH target \"\${CMAKE_INSTALL_PREFIX}/${QX_PROGRAM_DIR}\"
       \"\${CMAKE_INSTALL_PREFIX}/${QX_SHARE_DIR}/${QX_HELP_PAGE}\")
  file(CREATE_LINK \"\${target}\" \"\${dir}/${QX_HELP_PAGE}\" SYMBOLIC)
")

install(FILES ${PROJECT_SOURCE_DIR}/assets/qxpuzzle.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/assets/io.github.qxpuzzle.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/assets/qxpuzzle.svg
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/assets/qxpuzzle.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
