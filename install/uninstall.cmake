# Runs as `cmake --build <build folder> --target uninstall`: removes every
# file that the last install from that build folder listed in its
# install_manifest.txt, then every folder that the installs from it created
# (recorded at install time in QV_FOLDERS_RECORD) and that this leaves empty,
# deepest first. A folder that was there before the install is never
# removed, nor one that still holds anything. The manifest must list the
# installed command (QV_COMMAND, such as bin/quorvane). As in the install,
# every path lies below DESTDIR when one is given.
# Set by the uninstall target: QV_MANIFEST, QV_COMMAND, QV_FOLDERS_RECORD.
if(NOT EXISTS "${QV_MANIFEST}")
  message(FATAL_ERROR "Nothing to uninstall: ${QV_MANIFEST} is missing; it is written by an install from this "
    "build folder.")
endif()
file(STRINGS "${QV_MANIFEST}" files)

set(listsCommand FALSE)
foreach(file IN LISTS files)
  string(FIND "${file}" "/${QV_COMMAND}" at REVERSE)
  string(LENGTH "${file}" length)
  string(LENGTH "/${QV_COMMAND}" commandLength)
  math(EXPR end "${at} + ${commandLength}")
  if(at GREATER 0 AND end EQUAL length)
    set(listsCommand TRUE)
  endif()
endforeach()
if(NOT listsCommand)
  message(FATAL_ERROR "${QV_MANIFEST} does not list the command ${QV_COMMAND}: nothing was removed.")
endif()

foreach(file IN LISTS files)
  set(file "$ENV{DESTDIR}${file}")
  if(EXISTS "${file}" OR IS_SYMLINK "${file}")
    message(STATUS "Removing ${file}")
    file(REMOVE "${file}")
  endif()
endforeach()

if(NOT EXISTS "${QV_FOLDERS_RECORD}")
  message(STATUS "No record of the folders the install created (${QV_FOLDERS_RECORD}): every folder is left.")
  return()
endif()
file(STRINGS "${QV_FOLDERS_RECORD}" folders)
# A folder sorts after the folders that hold it, so the deepest come first.
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
  set(folder "$ENV{DESTDIR}${folder}")
  if(IS_DIRECTORY "${folder}" AND NOT IS_SYMLINK "${folder}")
    execute_process(COMMAND rmdir -- "${folder}" RESULT_VARIABLE kept OUTPUT_QUIET ERROR_QUIET)
    if(kept EQUAL 0)
      message(STATUS "Removing ${folder}/")
    else()
      message(STATUS "Keeping ${folder}/: it holds files the install did not put there")
    endif()
  endif()
endforeach()
file(REMOVE "${QV_FOLDERS_RECORD}")
