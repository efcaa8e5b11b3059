# Writes the vededa-cli(1) manual page from the program's own help text, so the page lists exactly
# the commands and options the built program has. The hand-written sections come from a template
# with the placeholders @VEDEDA_VERSION@ and @VEDEDA_COMMANDS@.
#   -DCLI=path/to/vededa-cli -DTEMPLATE=... -DOUTPUT=... -DVERSION=...

# Help text as roff inside a no-fill block: backslashes and leading dots escaped, minus signs kept as
# typed (so options can be copied from the page).
function(roff_block text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  string(STRIP "${text}" text)
  set(${out} ".nf\n.RS 2\n${text}\n.RE\n.fi\n" PARENT_SCOPE)
endfunction()

execute_process(COMMAND "${CLI}" --help OUTPUT_VARIABLE overview RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${CLI} --help failed: ${failed}")
endif()

# The subcommands: the indented names under "Subcommands:".
string(FIND "${overview}" "Subcommands:" at)
if(at EQUAL -1)
  message(FATAL_ERROR "no subcommands in the help text of ${CLI}")
endif()
string(SUBSTRING "${overview}" ${at} -1 listing)
string(REGEX MATCHALL "\n  [a-z][-a-z0-9]*" names "${listing}")

set(commands "")
foreach(name ${names})
  string(STRIP "${name}" name)
  execute_process(COMMAND "${CLI}" ${name} --help OUTPUT_VARIABLE help RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${CLI} ${name} --help failed: ${failed}")
  endif()
  roff_block("${help}" block)
  string(APPEND commands ".SS ${name}\n${block}")
endforeach()

set(VEDEDA_VERSION "${VERSION}")
set(VEDEDA_COMMANDS "${commands}")
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
