# Writes the source revision the programs are built from. Runs at every build; the file is rewritten
# only when its text changes, so an unchanged revision rebuilds nothing.
#   -DSOURCE_DIR=... -DTEMPLATE=... -DOUTPUT=...
set(VEDEDA_REVISION "unknown")
find_package(Git QUIET)
if(GIT_FOUND AND EXISTS "${SOURCE_DIR}/.git")
  execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${SOURCE_DIR}" describe --always --dirty --abbrev=12
                  OUTPUT_VARIABLE described OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE failed ERROR_QUIET)
  if(NOT failed AND described)
    set(VEDEDA_REVISION "${described}")
  endif()
endif()
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
