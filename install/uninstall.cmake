# Runs as `cmake --build <build folder> --target uninstall`: removes every
# file that the last install from that build folder listed in its
# install_manifest.txt, then every folder below the install prefix that this
# leaves empty, deepest first; a folder that still holds anything stays. The
# prefix is the folder that holds the installed command (QV_COMMAND, such as
# bin/quorvane).
# Set by the uninstall target: QV_MANIFEST, QV_COMMAND.
if(NOT EXISTS "${QV_MANIFEST}")
  message(FATAL_ERROR "Nothing to uninstall: ${QV_MANIFEST} is missing; it is written by an install from this "
    "build folder.")
endif()
file(STRINGS "${QV_MANIFEST}" files)

set(prefix "")
string(LENGTH "/${QV_COMMAND}" commandLength)
foreach(file IN LISTS files)
  string(LENGTH "${file}" length)
  math(EXPR start "${length} - ${commandLength}")
  if(start GREATER 0)
    string(SUBSTRING "${file}" ${start} -1 tail)
    if(tail STREQUAL "/${QV_COMMAND}")
      string(SUBSTRING "${file}" 0 ${start} prefix)
    endif()
  endif()
endforeach()
if(prefix STREQUAL "")
  message(FATAL_ERROR "${QV_MANIFEST} does not list the command ${QV_COMMAND}: nothing was removed.")
endif()

# True in `inside` when `path` lies below the prefix.
function(below_prefix path inside)
  string(LENGTH "${prefix}/" prefixLength)
  string(LENGTH "${path}" length)
  set(result FALSE)
  if(length GREATER prefixLength)
    string(SUBSTRING "${path}" 0 ${prefixLength} head)
    if(head STREQUAL "${prefix}/")
      set(result TRUE)
    endif()
  endif()
  set(${inside} ${result} PARENT_SCOPE)
endfunction()

set(folders "")
foreach(file IN LISTS files)
  if(EXISTS "${file}" OR IS_SYMLINK "${file}")
    message(STATUS "Removing ${file}")
    file(REMOVE "${file}")
  endif()
  get_filename_component(folder "${file}" DIRECTORY)
  below_prefix("${folder}" inside)
  while(inside)
    list(APPEND folders "${folder}")
    get_filename_component(folder "${folder}" DIRECTORY)
    below_prefix("${folder}" inside)
  endwhile()
endforeach()

# A folder sorts after the folders that hold it, so the deepest come first.
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
  if(IS_DIRECTORY "${folder}")
    execute_process(COMMAND rmdir -- "${folder}" RESULT_VARIABLE kept OUTPUT_QUIET ERROR_QUIET)
    if(kept EQUAL 0)
      message(STATUS "Removing ${folder}/")
    endif()
  endif()
endforeach()
