# Runs at install time, when the prefix is known: writes the desktop entry
# with its Exec line naming the installed command by its full path (so the
# menu entry works before the command's folder is on the PATH), installs it,
# and lists it in install_manifest.txt like every installed file.
# Set by the install code before it: QV_DESKTOP_IN, QV_DESKTOP_STAGED,
# QV_INSTALL_BINDIR, QV_INSTALL_APPLICATIONSDIR.
set(bindir "${QV_INSTALL_BINDIR}")
if(NOT IS_ABSOLUTE "${bindir}")
  set(bindir "${CMAKE_INSTALL_PREFIX}/${bindir}")
endif()
# The path is quoted as the desktop entry format asks: ", `, $ and \ take a
# backslash, which the file's own string escaping doubles; % is written %%.
set(command "${bindir}/quorvane")
string(REPLACE "\\" "\\\\\\\\" command "${command}")
foreach(special "\"" "`" "$")
  string(REPLACE "${special}" "\\\\${special}" command "${command}")
endforeach()
string(REPLACE "%" "%%" command "${command}")
set(QV_DESKTOP_EXEC "\"${command}\"")
configure_file("${QV_DESKTOP_IN}" "${QV_DESKTOP_STAGED}" @ONLY)

set(applications "${QV_INSTALL_APPLICATIONSDIR}")
if(NOT IS_ABSOLUTE "${applications}")
  set(applications "${CMAKE_INSTALL_PREFIX}/${applications}")
endif()
file(INSTALL DESTINATION "${applications}" TYPE FILE FILES "${QV_DESKTOP_STAGED}")
