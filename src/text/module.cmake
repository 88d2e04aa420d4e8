# The string table is generated at build time from resources/strings.txt: a C++ row list
# compiled into sw_text, and a resource script the Windows shell links into Snapwell.exe.
set(strings_source ${CMAKE_SOURCE_DIR}/resources/strings.txt)
set(strings_script ${CMAKE_SOURCE_DIR}/src/text/generate_strings.cmake)
set(strings_inc ${CMAKE_BINARY_DIR}/generated/text/string_table.inc)
set(strings_rc ${CMAKE_BINARY_DIR}/generated/strings.rc)
add_custom_command(
  OUTPUT ${strings_inc} ${strings_rc}
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${strings_source} -DCPP_OUT=${strings_inc} -DRC_OUT=${strings_rc} -P
          ${strings_script}
  DEPENDS ${strings_source} ${strings_script} ${CMAKE_SOURCE_DIR}/src/text/texts.h
  COMMENT "Generating the string table"
  VERBATIM)
add_custom_target(sw_strings DEPENDS ${strings_inc} ${strings_rc})
add_dependencies(sw_text sw_strings)
set_property(GLOBAL PROPERTY SNAPWELL_STRINGS_RC ${strings_rc})
set_property(GLOBAL PROPERTY SNAPWELL_STRINGS_TARGET sw_strings)
