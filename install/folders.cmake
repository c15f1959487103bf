# Runs twice in an install, as its first and its last step, so that the
# uninstall removes the folders the install created and never one that was
# there before. Folders are named as install_manifest.txt names files: by
# their place in the installed system, below DESTDIR when one is given.
#   QV_FOLDERS_STEP "before": notes the folders that exist where the install
#     puts its files (QV_INSTALL_ROOTS, relative to the prefix unless
#     absolute): each of those folders, the folders above it and the folders
#     inside it.
#   QV_FOLDERS_STEP "after": every folder that holds an installed file, or
#     holds one that does, and that did not exist before is written to the
#     record QV_FOLDERS_RECORD, one a line, with the folders of an earlier
#     install's record that still exist.

# `path` in one form: normalised, without a trailing "/".
function(qv_normal_path path out)
  cmake_path(SET path NORMALIZE "${path}")
  string(REGEX REPLACE "(.)/$" "\\1" path "${path}")
  set(${out} "${path}" PARENT_SCOPE)
endfunction()

# True in `out` when the folder `path` stands below DESTDIR.
function(qv_folder_exists path out)
  set(result FALSE)
  if(IS_DIRECTORY "$ENV{DESTDIR}${path}")
    set(result TRUE)
  endif()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

if(QV_FOLDERS_STEP STREQUAL "before")
  set(QV_FOLDERS_BEFORE "")
  foreach(root IN LISTS QV_INSTALL_ROOTS)
    if(NOT IS_ABSOLUTE "${root}")
      set(root "${CMAKE_INSTALL_PREFIX}/${root}")
    endif()
    qv_normal_path("${root}" folder)
    qv_folder_exists("${folder}" exists)
    if(exists)
      file(GLOB_RECURSE inside LIST_DIRECTORIES true RELATIVE "$ENV{DESTDIR}${folder}" "$ENV{DESTDIR}${folder}/*")
      foreach(entry IN LISTS inside)
        qv_folder_exists("${folder}/${entry}" isFolder)
        if(isFolder)
          qv_normal_path("${folder}/${entry}" entry)
          list(APPEND QV_FOLDERS_BEFORE "${entry}")
        endif()
      endforeach()
    endif()
    set(parent "")
    while(NOT parent STREQUAL folder)
      qv_folder_exists("${folder}" exists)
      if(exists)
        list(APPEND QV_FOLDERS_BEFORE "${folder}")
      endif()
      set(parent "${folder}")
      get_filename_component(folder "${folder}" DIRECTORY)
    endwhile()
  endforeach()
  list(REMOVE_DUPLICATES QV_FOLDERS_BEFORE)
elseif(QV_FOLDERS_STEP STREQUAL "after")
  set(created "")
  foreach(file IN LISTS CMAKE_INSTALL_MANIFEST_FILES)
    qv_normal_path("${file}" file)
    get_filename_component(folder "${file}" DIRECTORY)
    set(parent "")
    list(FIND QV_FOLDERS_BEFORE "${folder}" before)
    list(FIND created "${folder}" known)
    while(NOT parent STREQUAL folder AND before EQUAL -1 AND known EQUAL -1)
      list(APPEND created "${folder}")
      set(parent "${folder}")
      get_filename_component(folder "${folder}" DIRECTORY)
      list(FIND QV_FOLDERS_BEFORE "${folder}" before)
      list(FIND created "${folder}" known)
    endwhile()
  endforeach()
  if(EXISTS "${QV_FOLDERS_RECORD}")
    file(STRINGS "${QV_FOLDERS_RECORD}" earlier)
    foreach(folder IN LISTS earlier)
      qv_folder_exists("${folder}" exists)
      if(exists)
        list(APPEND created "${folder}")
      endif()
    endforeach()
  endif()
  list(REMOVE_DUPLICATES created)
  list(JOIN created "\n" record)
  file(WRITE "${QV_FOLDERS_RECORD}" "${record}\n")
endif()
