# Packs PARENT/FOLDER into the zip OUT with paths starting at FOLDER\. Files
# go in sorted order, all stamped with one time, SOURCE_DATE_EPOCH's where it
# is set: then the same folder gives the same zip. Written beside OUT first,
# so a failed pack never leaves half a zip under the real name.
#
# usage: cmake -DPARENT=dir -DFOLDER=name -DOUT=file.zip -P zip_folder.cmake
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${PARENT}" "${PARENT}/${FOLDER}/*")
list(SORT files)
list(JOIN files "\n" listing)
file(WRITE "${OUT}.files" "${listing}\n")
string(TIMESTAMP when "%Y-%m-%d %H:%M:%S" UTC)
execute_process(
  COMMAND ${CMAKE_COMMAND} -E tar cf "${OUT}.part" --format=zip "--mtime=${when} UTC" "--files-from=${OUT}.files"
  WORKING_DIRECTORY "${PARENT}" RESULT_VARIABLE failed)
file(REMOVE "${OUT}.files")
if(failed)
  file(REMOVE "${OUT}.part")
  message(FATAL_ERROR "Could not pack ${PARENT}/${FOLDER} into ${OUT}")
endif()
file(RENAME "${OUT}.part" "${OUT}")
