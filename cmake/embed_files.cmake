# Writes a C++ source that holds files' bytes, each behind a function returning a string_view:
#   cmake -DOUTPUT=<file.cpp> -DHEADER=<include> -DNAMESPACE=<ns> -DFILES="Name1=path1;Name2=path2"
#         -P embed_files.cmake
# Run at build time, so the program is rebuilt when a resource file changes.
set(source "// Written by cmake/embed_files.cmake from the resource files; do not edit.\n")
string(APPEND source "#include \"${HEADER}\"\n\nnamespace ${NAMESPACE} {\n")
foreach(entry ${FILES})
  string(REPLACE "=" ";" parts "${entry}")
  list(GET parts 0 name)
  list(GET parts 1 path)
  file(READ "${path}" hex HEX)
  string(LENGTH "${hex}" length)
  math(EXPR size "${length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
  string(APPEND source "\nnamespace {\nconst unsigned char k${name}[${size}] = {\n    ${bytes}};\n}\n")
  string(APPEND source "std::string_view ${name}() {\n")
  string(APPEND source "  return {reinterpret_cast<const char*>(k${name}), sizeof k${name}};\n}\n")
endforeach()
string(APPEND source "\n}  // namespace ${NAMESPACE}\n")
file(WRITE "${OUTPUT}" "${source}")
