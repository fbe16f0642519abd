# Writes the launcher `verdal` from assets/desktop/verdal-launcher.in, and with it the menu
# entry when VERDAL_LAUNCHER is set, into VERDAL_WRITE_DIR. Included at configure time for the
# build's own launcher (scripts/play) and at install time for the installed one, whose paths
# are known only then. Inputs: VERDAL_DESKTOP_DIR (the templates' folder), VERDAL_APP_DIR (the
# program's folder), VERDAL_WRITE_DIR, and VERDAL_LAUNCHER (where the launcher is installed).
# The paths may hold spaces, quotes or any letter: each is escaped for the file it lands in.

# The launcher is a shell script: the folder goes between single quotes.
string(REPLACE "'" "'\\''" VERDAL_APP_DIR_SH "${VERDAL_APP_DIR}")
configure_file("${VERDAL_DESKTOP_DIR}/verdal-launcher.in" "${VERDAL_WRITE_DIR}/verdal" @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)

if(DEFINED VERDAL_LAUNCHER)
  # Exec= by the Desktop Entry rules: a path with a reserved character is quoted, with ", `,
  # $ and \ escaped inside the quotes; then, as for any string value, each \ is doubled; a %
  # is always doubled, not to read as a field code.
  set(exec "${VERDAL_LAUNCHER}")
  if(exec MATCHES "[ \t\"'\\<>~|&;$*?#()`]")
    foreach(character "\\" "\"" "`" "$")
      string(REPLACE "${character}" "\\${character}" exec "${exec}")
    endforeach()
    set(exec "\"${exec}\"")
  endif()
  string(REPLACE "\\" "\\\\" exec "${exec}")
  string(REPLACE "%" "%%" VERDAL_DESKTOP_EXEC "${exec}")
  if(VERDAL_DESKTOP_EXEC MATCHES "\n")
    message(FATAL_ERROR "A menu entry cannot name a path with a line break: ${VERDAL_LAUNCHER}")
  endif()
  configure_file("${VERDAL_DESKTOP_DIR}/verdal.desktop.in" "${VERDAL_WRITE_DIR}/verdal.desktop"
                 @ONLY)
endif()
