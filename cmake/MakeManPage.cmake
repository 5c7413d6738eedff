cmake_minimum_required(VERSION 3.25)  # "@WORD@" below is literal text

# Writes the man page from its template and the program's own --help texts, so
# that it describes every subcommand and option the binary has.
#   cmake -DSLIDEFORGE=... -DTEMPLATE=... -DOUT=... -DVERSION=... -DDOCDIR=... -P MakeManPage.cmake

function(help_text out)
  execute_process(COMMAND ${SLIDEFORGE} ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "slideforge ${ARGN} failed: ${status}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Text shown as it is: backslashes escaped, lines that troff would take for
# requests protected.
function(verbatim out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} ".nf\n.RS 4\n${text}.RE\n.fi\n" PARENT_SCOPE)
endfunction()

help_text(usage --help)
string(REGEX MATCH "Commands:\n(.*)\n\n" _ "${usage}")
string(REGEX MATCHALL "  [a-z-]+\t" names "${CMAKE_MATCH_1}")
set(commands "")
foreach(name IN LISTS names)
  string(STRIP "${name}" name)
  help_text(text ${name} --help)
  verbatim(body "${text}")
  string(APPEND commands ".SS ${name}\n${body}")
endforeach()
if(commands STREQUAL "")
  message(FATAL_ERROR "no subcommands found in slideforge --help")
endif()

file(READ ${TEMPLATE} page)
string(TIMESTAMP date "%Y-%m-%d" UTC)
string(REPLACE "@COMMANDS@\n" "${commands}" page "${page}")
string(REPLACE "@VERSION@" "${VERSION}" page "${page}")
string(REPLACE "@DOCDIR@" "${DOCDIR}" page "${page}")
string(REPLACE "@DATE@" "${date}" page "${page}")
file(WRITE ${OUT} "${page}")
