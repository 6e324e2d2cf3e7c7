# pestrol_embed(<target> MANIFEST <file> FUNCTION <name>)
#
# Turns a manifest of resources into a static library that carries their bytes.
# Each manifest line is "<name> <path>": the name under which the program looks the
# resource up (a decimal number such as 111, or a block name such as oblako_png) and a
# path relative to the manifest. Blank lines and lines starting with # are skipped.
# The bytes go in with the assembler's .incbin, so tens of megabytes cost no more
# than a copy; the library defines `std::span<const ResourceBlock> <name>()`.
function(pestrol_embed target)
  cmake_parse_arguments(ARG "" "MANIFEST;FUNCTION" "" ${ARGN})
  get_filename_component(base "${ARG_MANIFEST}" DIRECTORY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${ARG_MANIFEST}")
  file(STRINGS "${ARG_MANIFEST}" lines ENCODING UTF-8)

  set(asm "\t.section .rodata\n")
  set(table "")
  set(externs "")
  set(files "")
  set(index 0)
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    if(line STREQUAL "" OR line MATCHES "^#")
      continue()
    endif()
    if(NOT line MATCHES "^([^ \t]+)[ \t]+(.+)$")
      message(FATAL_ERROR "${ARG_MANIFEST}: cannot read line '${line}'")
    endif()
    set(name "${CMAKE_MATCH_1}")
    set(path "${base}/${CMAKE_MATCH_2}")
    if(NOT EXISTS "${path}")
      message(FATAL_ERROR "${ARG_MANIFEST}: ${name} names a missing file ${path}")
    endif()
    if(NOT name MATCHES "^[A-Za-z0-9_.-]+$")
      message(FATAL_ERROR "${ARG_MANIFEST}: resource name '${name}' must be letters, digits, _ . -")
    endif()
    set(sym "${ARG_FUNCTION}_${index}")
    string(REPLACE "\\" "\\\\" quoted "${path}")
    string(REPLACE "\"" "\\\"" quoted "${quoted}")
    string(APPEND asm "\t.balign 16\n\t.globl ${sym}\n${sym}:\n\t.incbin \"${quoted}\"\n\t.globl ${sym}_end\n${sym}_end:\n")
    string(APPEND externs "extern \"C\" const std::uint8_t ${sym}[];\nextern \"C\" const std::uint8_t ${sym}_end[];\n")
    string(APPEND table "    {L\"${name}\", ${sym}, static_cast<std::size_t>(${sym}_end - ${sym})},\n")
    list(APPEND files "${path}")
    math(EXPR index "${index} + 1")
  endforeach()
  string(APPEND asm "\t.section .note.GNU-stack,\"\",@progbits\n")

  set(out "${CMAKE_CURRENT_BINARY_DIR}/${target}")
  file(CONFIGURE OUTPUT "${out}/blocks.S" CONTENT "${asm}" @ONLY)
  if(index EQUAL 0)
    set(body "    return {};\n")
  else()
    set(body "    static const ResourceBlock blocks[] = {\n${table}    };\n    return blocks;\n")
  endif()
  file(CONFIGURE OUTPUT "${out}/table.cpp" CONTENT
"// Made by the build from ${ARG_MANIFEST}.
#include \"platform/ResourceLibrary.h\"

#include <cstddef>
#include <cstdint>

${externs}
namespace pestrol {
std::span<const ResourceBlock> ${ARG_FUNCTION}()
{
${body}}
}  // namespace pestrol
" @ONLY)
  add_library(${target} STATIC "${out}/blocks.S" "${out}/table.cpp")
  target_link_libraries(${target} PUBLIC pestrol_core)
  set_source_files_properties("${out}/blocks.S" PROPERTIES OBJECT_DEPENDS "${files}")
endfunction()
