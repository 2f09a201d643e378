# Writes the WebAssembly module as a script, for a page opened from file://:
# there the browser fetches nothing beside the page, but still runs the
# scripts beside it. The script sets qxmWasm to the module's bytes in base64.
# cmake -DWASM=qxm.wasm -DSCRIPT=qxm-wasm.js -P wasmscript.cmake
execute_process(COMMAND base64 -w 0 "${WASM}" OUTPUT_VARIABLE encoded RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "base64 could not read ${WASM}: ${failed}")
endif()
file(WRITE "${SCRIPT}" "window.qxmWasm = '${encoded}';\n")
