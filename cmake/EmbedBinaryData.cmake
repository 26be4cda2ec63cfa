# Writes one C++ source that holds files as constant byte arrays, for the data
# built into the plug-in. Run as a build step (see editor/CMakeLists.txt):
#   cmake -DOUTPUT=<file.cpp> -DHEADER=<include path> -DNAMESPACE=<name>
#         -DBINARY=<symbol>=<file>|... -DTEXT=<symbol>=<file>|... -P EmbedBinaryData.cmake
# For each <symbol>: `const char* <symbol>` and `const int <symbol>Size`.
# BINARY data is the file's bytes as they are; TEXT data gets a NUL after
# them, and its size counts that NUL, so it can be read as a C string.
foreach(required OUTPUT HEADER NAMESPACE)
  if(NOT ${required})
    message(FATAL_ERROR "EmbedBinaryData.cmake needs -D${required}=...")
  endif()
endforeach()

string(REPLACE "|" ";" BINARY "${BINARY}")
string(REPLACE "|" ";" TEXT "${TEXT}")
set(names "")
set(body "")

function(embed_entry entry terminated)
  string(FIND "${entry}" "=" split)
  string(SUBSTRING "${entry}" 0 ${split} symbol)
  math(EXPR start "${split} + 1")
  string(SUBSTRING "${entry}" ${start} -1 file)
  file(SIZE "${file}" size)
  file(READ "${file}" hex HEX)
  if(terminated)
    string(APPEND hex "00")
    math(EXPR size "${size} + 1")
  endif()
  # 20 bytes a line: "0xNN," each.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){20})" "\\1\n    " bytes "${bytes}")
  get_filename_component(file_name "${file}" NAME)
  set(text "// ${file_name}\nstatic const unsigned char ${symbol}Data[] = {\n    ${bytes}\n};\n")
  string(APPEND text "const char* ${symbol} = reinterpret_cast<const char*> (${symbol}Data);\n")
  string(APPEND text "const int ${symbol}Size = ${size};\n\n")
  set(body "${body}${text}" PARENT_SCOPE)
  set(names ${names} ${file_name} PARENT_SCOPE)
endfunction()

foreach(entry IN LISTS BINARY)
  embed_entry("${entry}" FALSE)
endforeach()
foreach(entry IN LISTS TEXT)
  embed_entry("${entry}" TRUE)
endforeach()

list(JOIN names ", " names)
set(source "// Generated at build time by cmake/EmbedBinaryData.cmake from ${names}.\n")
string(APPEND source "// Do not edit: change those files instead.\n\n")
string(APPEND source "#include \"${HEADER}\"\n\nnamespace ${NAMESPACE}\n{\n\n${body}} // namespace ${NAMESPACE}\n")

# Rewrite only when the text changes, so that nothing recompiles needlessly.
file(WRITE "${OUTPUT}.tmp" "${source}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
