# Writes, for the uninstaller, the NSIS lines that delete exactly the files of
# FOLDER/data and then its folders, deepest first: a folder the player chose
# may have held a data\ of its own, whose other files must stay.
#
# usage: cmake -DFOLDER=dir -DOUT=uninstall_data.nsh -P data_list.cmake
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${FOLDER}" "${FOLDER}/data/*")
file(GLOB_RECURSE folders LIST_DIRECTORIES true RELATIVE "${FOLDER}" "${FOLDER}/data/*")
list(REMOVE_ITEM folders ${files})
list(APPEND folders data)
list(SORT files)
list(SORT folders ORDER DESCENDING)  # a folder's own folders sort after it
set(lines)
foreach(file ${files})
  string(REPLACE "/" "\\" file "${file}")
  string(APPEND lines "Delete \"$INSTDIR\\${file}\"\n")
endforeach()
foreach(folder ${folders})
  string(REPLACE "/" "\\" folder "${folder}")
  string(APPEND lines "RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()
file(WRITE "${OUT}" "${lines}")
