# The version compiled into the core (reports, captions) and the source revision compiled into the two
# programs only (`--version`, Help > About): a new revision relinks vededa and vededa-cli, not every
# test.
set(VEDEDA_VERSION ${PROJECT_VERSION})
set(VEDEDA_VERSION_SOURCE ${CMAKE_BINARY_DIR}/generated/program_version.cpp)
configure_file(${PROJECT_SOURCE_DIR}/src/app/program_version.cpp.in ${VEDEDA_VERSION_SOURCE} @ONLY)

set(VEDEDA_REVISION_SOURCE ${CMAKE_BINARY_DIR}/generated/build_revision.cpp)
add_custom_target(vededa_build_revision
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
          -DTEMPLATE=${PROJECT_SOURCE_DIR}/src/app/build_revision.cpp.in
          -DOUTPUT=${VEDEDA_REVISION_SOURCE}
          -P ${PROJECT_SOURCE_DIR}/cmake/write_build_info.cmake
  BYPRODUCTS ${VEDEDA_REVISION_SOURCE}
  COMMENT "Source revision of the build")

# Gives a program target the revision.
function(vededa_add_build_revision target)
  target_sources(${target} PRIVATE ${VEDEDA_REVISION_SOURCE})
  add_dependencies(${target} vededa_build_revision)
endfunction()
