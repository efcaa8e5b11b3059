# The version and source revision compiled into both programs (`--version`, Help > About).
set(VEDEDA_BUILD_INFO_SOURCE ${CMAKE_BINARY_DIR}/generated/build_info.cpp)
add_custom_target(vededa_build_info
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
          -DTEMPLATE=${PROJECT_SOURCE_DIR}/src/app/build_info.cpp.in
          -DOUTPUT=${VEDEDA_BUILD_INFO_SOURCE} -DVERSION=${PROJECT_VERSION}
          -P ${PROJECT_SOURCE_DIR}/cmake/write_build_info.cmake
  BYPRODUCTS ${VEDEDA_BUILD_INFO_SOURCE}
  COMMENT "Build information (version ${PROJECT_VERSION} and source revision)")
