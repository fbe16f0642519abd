# Where an install puts the game, one description for the per-user install (scripts/install)
# and the Debian package (scripts/package, VERDAL_PACKAGE=ON):
#   <prefix>/lib/verdal/      the program, "mots", the shipped "data" and "perso", and
#                             run-on-800x600, all read-only for the game
#   <launcher dir>/verdal     the launcher: <prefix>/bin for a user, /usr/games for the package
#   <DATADIR>/applications/verdal.desktop, icons/hicolor/*/apps/verdal.*, metainfo/, and
#   the manual page verdal.6 under <MANDIR>
# The player's own "data" and "perso" are never installed: the launcher starts the game with
# the player's folder, which the game makes and fills with copies of the shipped files that
# are missing there. A build holds the same layout in bin/, with its own launcher in launcher/.
include(GNUInstallDirs)

option(VERDAL_PACKAGE "Install for a system-wide Debian package rather than for one user" OFF)
set(VERDAL_INSTALL_APPDIR lib/verdal CACHE STRING "Folder of the program and its shipped files")
if(VERDAL_PACKAGE)
  set(launcher_default games)
else()
  set(launcher_default ${CMAKE_INSTALL_BINDIR})
endif()
set(VERDAL_INSTALL_LAUNCHERDIR ${launcher_default} CACHE STRING "Folder of the launcher")
# The software centre's names for the makers and the game: reverse-DNS of the makers' domain.
set(VERDAL_DEVELOPER_ID org.example.ostrane)
set(VERDAL_ID ${VERDAL_DEVELOPER_ID}.verdal)
# Debian wants a name and a mail address for whoever answers for the package.
set(VERDAL_MAINTAINER "Ostrane <verdal@example.org>" CACHE STRING
    "Maintainer of the Debian package, as Name <address>")

install(TARGETS verdal RUNTIME DESTINATION ${VERDAL_INSTALL_APPDIR})
install(FILES ${CMAKE_SOURCE_DIR}/data/mots ${CMAKE_SOURCE_DIR}/data/data
              ${CMAKE_SOURCE_DIR}/data/perso DESTINATION ${VERDAL_INSTALL_APPDIR})
install(PROGRAMS ${CMAKE_SOURCE_DIR}/scripts/run-on-800x600 DESTINATION ${VERDAL_INSTALL_APPDIR})
foreach(size 48 64 128)
  install(FILES ${CMAKE_SOURCE_DIR}/assets/desktop/verdal-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME verdal.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/assets/desktop/verdal.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The release date is written once, in the Debian changelog's own form; the manual page and
# the software centre's description take it from there as YYYY-MM-DD.
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/changelog.in trailer REGEX "^ -- ")
if(NOT trailer MATCHES ", ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "packaging/changelog.in: no date in the trailer line")
endif()
set(day ${CMAKE_MATCH_1})
set(year ${CMAKE_MATCH_3})
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_2} month)
math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
if(month LESS 10)
  set(month 0${month})
endif()
set(VERDAL_RELEASE_DATE ${year}-${month}-${day})

# The manual page and the software centre's description, made at build time.
set(generated ${CMAKE_BINARY_DIR}/install)
configure_file(${CMAKE_SOURCE_DIR}/packaging/verdal.metainfo.xml.in
               ${generated}/${VERDAL_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/verdal.6.in ${generated}/verdal.6 @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog.in ${generated}/changelog @ONLY)
# Debian wants manual pages and changelogs compressed, without a date in the archive.
set(compressed)
foreach(name verdal.6 changelog)
  set(input ${generated}/${name})
  add_custom_command(OUTPUT ${generated}/${name}.gz
                     COMMAND gzip -9n -c ${input} > ${generated}/${name}.gz
                     DEPENDS ${input} VERBATIM)
  list(APPEND compressed ${generated}/${name}.gz)
endforeach()
add_custom_target(verdal_install_files ALL DEPENDS ${compressed})
install(FILES ${generated}/verdal.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${generated}/${VERDAL_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
if(VERDAL_PACKAGE)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${generated}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/verdal)
endif()

# The launcher and the menu entry name absolute paths, and `cmake --install --prefix` may
# change the prefix after configuring: they are written at install time, then installed
# with file(INSTALL), which honours DESTDIR and lists them in install_manifest.txt.
function(verdal_installed_path var dir)
  if(IS_ABSOLUTE "${dir}")
    set(${var} "${dir}" PARENT_SCOPE)
  else()
    set(${var} "\${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
  endif()
endfunction()
verdal_installed_path(app_dir ${VERDAL_INSTALL_APPDIR})
verdal_installed_path(launcher_dir ${VERDAL_INSTALL_LAUNCHERDIR})
verdal_installed_path(menu_dir ${CMAKE_INSTALL_DATADIR}/applications)

install(CODE "
  set(VERDAL_DESKTOP_DIR \"${CMAKE_SOURCE_DIR}/assets/desktop\")
  set(VERDAL_APP_DIR \"${app_dir}\")
  set(VERDAL_LAUNCHER \"${launcher_dir}/verdal\")
  set(VERDAL_WRITE_DIR \"${generated}\")
  include(\"${CMAKE_SOURCE_DIR}/cmake/VerdalLauncher.cmake\")
  file(INSTALL DESTINATION \"${launcher_dir}\" TYPE PROGRAM FILES \"${generated}/verdal\")
  file(INSTALL DESTINATION \"${menu_dir}\" TYPE FILE FILES \"${generated}/verdal.desktop\")
")

# The build's own launcher (scripts/play plays through it), from the same template, with the
# build's program folder laid out as an installed one: the program, its files and
# run-on-800x600 side by side.
configure_file(${CMAKE_SOURCE_DIR}/scripts/run-on-800x600 ${VERDAL_PROGRAM_DIR}/run-on-800x600
               COPYONLY)
set(VERDAL_DESKTOP_DIR ${CMAKE_SOURCE_DIR}/assets/desktop)
set(VERDAL_APP_DIR ${VERDAL_PROGRAM_DIR})
set(VERDAL_WRITE_DIR ${CMAKE_BINARY_DIR}/launcher)
include(${CMAKE_CURRENT_LIST_DIR}/VerdalLauncher.cmake)
