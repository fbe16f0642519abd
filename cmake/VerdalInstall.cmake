# Where an install puts the game, for one user (scripts/install) or for a packager:
#   <DATADIR>/verdal/         the program, "mots", and the player's "data" and "perso"
#   <BINDIR>/verdal           the launcher (the 800x600 display choice, as scripts/play)
#   <DATADIR>/applications/verdal.desktop, <DATADIR>/icons/hicolor/128x128/apps/verdal.png
# The program keeps its files beside itself and rewrites "data" there, so the folder
# must be the user's own. A reinstall replaces "mots" but never the player's "data"
# and "perso"; it only adds them when they are missing.
include(GNUInstallDirs)

set(VERDAL_APP_SUBDIR ${CMAKE_INSTALL_DATADIR}/verdal)

install(TARGETS verdal RUNTIME DESTINATION ${VERDAL_APP_SUBDIR})
install(FILES ${CMAKE_SOURCE_DIR}/data/mots DESTINATION ${VERDAL_APP_SUBDIR})
install(PROGRAMS ${CMAKE_SOURCE_DIR}/scripts/run-on-800x600 DESTINATION ${VERDAL_APP_SUBDIR})
install(FILES ${CMAKE_SOURCE_DIR}/assets/desktop/verdal.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)

# A folder as the installed program will see it: relative folders are under the prefix,
# which `cmake --install --prefix` may change after configuring, so it is read then.
function(verdal_installed_path var dir)
  if(IS_ABSOLUTE "${dir}")
    set(${var} "${dir}" PARENT_SCOPE)
  else()
    set(${var} "\${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
  endif()
endfunction()
verdal_installed_path(app_dir ${VERDAL_APP_SUBDIR})
verdal_installed_path(bin_dir ${CMAKE_INSTALL_BINDIR})
verdal_installed_path(menu_dir ${CMAKE_INSTALL_DATADIR}/applications)

install(CODE "
  set(app \"\$ENV{DESTDIR}${app_dir}\")
  foreach(name data perso)
    if(EXISTS \"\${app}/\${name}\" OR IS_SYMLINK \"\${app}/\${name}\")
      message(STATUS \"Kept: \${app}/\${name}\")
    else()
      message(STATUS \"Installing: \${app}/\${name}\")
      file(COPY \"${CMAKE_SOURCE_DIR}/data/\${name}\" DESTINATION \"\${app}\")
    endif()
  endforeach()
  set(VERDAL_APP_DIR \"${app_dir}\")
  set(VERDAL_RUN_ON_800X600 \"${app_dir}/run-on-800x600\")
  set(VERDAL_LAUNCHER \"${bin_dir}/verdal\")
  foreach(pair \"verdal-launcher.in|${bin_dir}/verdal\"
               \"verdal.desktop.in|${menu_dir}/verdal.desktop\")
    string(REPLACE \"|\" \";\" pair \"\${pair}\")
    list(GET pair 0 template)
    list(GET pair 1 target)
    message(STATUS \"Installing: \$ENV{DESTDIR}\${target}\")
    configure_file(\"${CMAKE_SOURCE_DIR}/assets/desktop/\${template}\" \"\$ENV{DESTDIR}\${target}\"
                   @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                   GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\$ENV{DESTDIR}\${target}\")
  endforeach()
")
