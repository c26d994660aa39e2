# Run by the build after the program is linked (cmake -P), in the page's
# folder PAGE: copies the icons from the native data (ICONS), writes the
# offline worker from SOURCE/service_worker.js with the page's version and
# shell, and makes a compressed copy of every file the server sends, .gz
# always and .br when BROTLI names Debian's brotli.
foreach(size 192 512)
  configure_file(${ICONS}/${size}x${size}/apps/flingaroo.png ${PAGE}/icon-${size}.png COPYONLY)
endforeach()

# Whatever the build made for the page, so new data packs join by themselves.
file(GLOB files RELATIVE ${PAGE} ${PAGE}/*.html ${PAGE}/*.js ${PAGE}/*.wasm ${PAGE}/*.data
     ${PAGE}/*.webmanifest ${PAGE}/*.png)
list(REMOVE_ITEM files service_worker.js)
list(SORT files)
set(hashes "")
set(shell "'./'")
foreach(file ${files})
  file(SHA256 ${PAGE}/${file} hash)
  string(APPEND hashes "${file} ${hash}\n")
  if(NOT file MATCHES "\\.data$")  # data is kept as the page asks for it
    string(APPEND shell ", '${file}'")
  endif()
endforeach()
string(SHA256 version "${hashes}")
string(SUBSTRING ${version} 0 16 FLINGAROO_PAGE_VERSION)
set(FLINGAROO_PAGE_SHELL ${shell})
configure_file(${SOURCE}/service_worker.js ${PAGE}/service_worker.js @ONLY)

# Only files that changed since their copy was made are compressed again.
list(APPEND files service_worker.js)
list(FILTER files EXCLUDE REGEX "\\.png$")  # already compressed
foreach(file ${files})
  set(path ${PAGE}/${file})
  if(${path} IS_NEWER_THAN ${path}.gz)
    execute_process(COMMAND gzip -9 -n -c ${path} OUTPUT_FILE ${path}.gz COMMAND_ERROR_IS_FATAL ANY)
  endif()
  if(BROTLI AND ${path} IS_NEWER_THAN ${path}.br)
    execute_process(COMMAND ${BROTLI} -c ${path} OUTPUT_FILE ${path}.br COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
