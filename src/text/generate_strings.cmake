# Turns resources/strings.txt into the two forms the build needs:
#   CPP_OUT  rows {id, "English", "Japanese"}, included by src/text/texts.cpp
#   RC_OUT   the Windows STRINGTABLE resources in both languages (UTF-8, windres -c 65001)
# Run as: cmake -DSOURCE=<strings.txt> -DCPP_OUT=<file> -DRC_OUT=<file> -P generate_strings.cmake
# A malformed line, an unknown escape, an id outside kFirstTextId..kLastTextId (read from
# texts.h beside this script, so the table and the code agree on the range) or a repeated id
# stops the build.
cmake_minimum_required(VERSION 3.20)

foreach(var SOURCE CPP_OUT RC_OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "generate_strings: ${var} is not set")
  endif()
endforeach()

foreach(bound First Last)
  file(STRINGS "${CMAKE_CURRENT_LIST_DIR}/texts.h" found REGEX "constexpr int k${bound}TextId = [0-9]+;")
  if(NOT found MATCHES "k${bound}TextId = ([0-9]+)")
    message(FATAL_ERROR "generate_strings: k${bound}TextId not found in ${CMAKE_CURRENT_LIST_DIR}/texts.h")
  endif()
  set(k${bound}Id ${CMAKE_MATCH_1})
endforeach()

file(READ "${SOURCE}" content)
# CMake lists split on ";" and bracket pairs suspend splitting, and the texts hold both, so they
# travel as control characters until the rows are written.
string(ASCII 1 kSemicolon)
string(ASCII 2 kOpenBracket)
string(ASCII 3 kCloseBracket)
string(REPLACE ";" "${kSemicolon}" content "${content}")
string(REPLACE "[" "${kOpenBracket}" content "${content}")
string(REPLACE "]" "${kCloseBracket}" content "${content}")
string(REPLACE "\r" "" content "${content}")
string(REPLACE "\n" ";" lines "${content}")

set(quoted "\"((\\\\.|[^\"\\\\])*)\"")
set(row_regex "^([0-9]+)[ \t]+${quoted}[ \t]+${quoted}[ \t]*$")

function(restore out text)
  string(REPLACE "${kSemicolon}" ";" text "${text}")
  string(REPLACE "${kOpenBracket}" "[" text "${text}")
  string(REPLACE "${kCloseBracket}" "]" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Only \n \r \t \\ \" are allowed; anything else is a typing slip in the table.
function(check_escapes line_no text)
  string(REGEX REPLACE "\\\\[nrt\\\\\"]" "" rest "${text}")
  if(rest MATCHES "\\\\")
    message(FATAL_ERROR "${SOURCE}:${line_no}: unknown escape in \"${text}\"")
  endif()
endfunction()

set(cpp_rows "")
set(rc_en "")
set(rc_ja "")
set(seen "")
set(line_no 0)
foreach(line IN LISTS lines)
  math(EXPR line_no "${line_no} + 1")
  if(line MATCHES "^[ \t]*$" OR line MATCHES "^[ \t]*#")
    continue()
  endif()
  if(NOT line MATCHES "${row_regex}")
    restore(shown "${line}")
    message(FATAL_ERROR "${SOURCE}:${line_no}: expected <id> \"English\" \"Japanese\", got: ${shown}")
  endif()
  set(id "${CMAKE_MATCH_1}")
  set(en "${CMAKE_MATCH_2}")
  set(ja "${CMAKE_MATCH_4}")
  if(id LESS kFirstId OR id GREATER kLastId)
    message(FATAL_ERROR "${SOURCE}:${line_no}: id ${id} is outside ${kFirstId}..${kLastId}")
  endif()
  if(id IN_LIST seen)
    message(FATAL_ERROR "${SOURCE}:${line_no}: id ${id} appears twice")
  endif()
  list(APPEND seen ${id})
  check_escapes(${line_no} "${en}")
  check_escapes(${line_no} "${ja}")
  restore(en "${en}")
  restore(ja "${ja}")

  # C++: the escapes are already C++ escapes; "?" is escaped so no pair can read as a trigraph.
  string(REPLACE "?" "\\?" cpp_en "${en}")
  string(REPLACE "?" "\\?" cpp_ja "${ja}")
  string(APPEND cpp_rows "    {${id}, \"${cpp_en}\", \"${cpp_ja}\"},\n")

  # Resource scripts write a double quote as two.
  string(REPLACE "\\\"" "\"\"" rc_en_text "${en}")
  string(REPLACE "\\\"" "\"\"" rc_ja_text "${ja}")
  string(APPEND rc_en "  ${id}, \"${rc_en_text}\"\n")
  string(APPEND rc_ja "  ${id}, \"${rc_ja_text}\"\n")
endforeach()

file(WRITE "${CPP_OUT}" "// Generated from resources/strings.txt by src/text/generate_strings.cmake; do not edit.\n${cpp_rows}")

file(WRITE "${RC_OUT}" "// Generated from resources/strings.txt by src/text/generate_strings.cmake; do not edit.
#pragma code_page(65001)
#include <winresrc.h>

// English is marked US English rather than neutral: with a neutral English table Windows
// prefers it over Japanese even on a Japanese system.
LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US
STRINGTABLE
BEGIN
${rc_en}END

LANGUAGE LANG_JAPANESE, SUBLANG_DEFAULT
STRINGTABLE
BEGIN
${rc_ja}END
")
