# Installation layout, the desktop integration files, the manual and the Debian package.
#   bin/vededa, bin/vededa-cli
#   share/vededa/examples/            bundled projects, reference engines, design files, picture
#   share/applications/vededa.desktop
#   share/mime/packages/vededa.xml    *.RUZ and *.REF file types
#   share/icons/hicolor/NxN/apps/vededa.png
#   share/doc/vededa/                 manual (Markdown, HTML when pandoc is installed), file formats
#   share/man/man1/vededa-cli.1.gz, vededa.1.gz
# The build tree mirrors share/ (build/share/...), so build/bin/vededa finds its data the way an
# installed one does: src/app/install_layout.h.
include(GNUInstallDirs)

set(VEDEDA_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/vededa)
set(VEDEDA_DOC_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/doc/vededa)
set(VEDEDA_ICON_SIZES 16 22 24 32 48 64 128 256)
set(VEDEDA_STAGE ${CMAKE_BINARY_DIR}/share)

# --- The build tree's share/ folder -------------------------------------------------------------
file(MAKE_DIRECTORY ${VEDEDA_STAGE}/vededa ${VEDEDA_STAGE}/doc/vededa ${VEDEDA_STAGE}/man/man1)
if(NOT EXISTS ${VEDEDA_STAGE}/vededa/examples)
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/data ${VEDEDA_STAGE}/vededa/examples SYMBOLIC)
endif()
file(GLOB VEDEDA_DOC_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/*.md ${PROJECT_SOURCE_DIR}/docs/*.png)
foreach(doc ${VEDEDA_DOC_SOURCES})
  get_filename_component(name ${doc} NAME)
  if(NOT EXISTS ${VEDEDA_STAGE}/doc/vededa/${name})
    file(CREATE_LINK ${doc} ${VEDEDA_STAGE}/doc/vededa/${name} SYMBOLIC)
  endif()
endforeach()

# --- The manual and the file-format documents as HTML, when pandoc is installed ------------------
find_program(VEDEDA_PANDOC pandoc)
set(VEDEDA_HTML_DOCS "")
if(VEDEDA_PANDOC)
  foreach(doc ${VEDEDA_DOC_SOURCES})
    if(doc MATCHES "\\.md$")
      get_filename_component(stem ${doc} NAME_WE)
      set(html ${VEDEDA_STAGE}/doc/vededa/${stem}.html)
      add_custom_command(OUTPUT ${html}
        COMMAND ${VEDEDA_PANDOC} --standalone --shift-heading-level-by=-1 --toc --toc-depth=2 --metadata=toc-title:Contents
                --lua-filter=${PROJECT_SOURCE_DIR}/tools/md-links-to-html.lua
                --metadata=lang:en -o ${html} ${doc}
        DEPENDS ${doc} ${PROJECT_SOURCE_DIR}/tools/md-links-to-html.lua
        COMMENT "HTML of ${stem}.md" VERBATIM)
      list(APPEND VEDEDA_HTML_DOCS ${html})
    endif()
  endforeach()
  add_custom_target(vededa_html_docs ALL DEPENDS ${VEDEDA_HTML_DOCS})
else()
  message(STATUS "pandoc not found: the manual is installed as Markdown only")
endif()

# --- Manual pages --------------------------------------------------------------------------------
set(VEDEDA_MAN_PAGES ${VEDEDA_STAGE}/man/man1/vededa-cli.1.gz)
add_custom_command(OUTPUT ${VEDEDA_STAGE}/man/man1/vededa-cli.1 ${VEDEDA_STAGE}/man/man1/vededa-cli.1.gz
  COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:vededa-cli>
          -DTEMPLATE=${PROJECT_SOURCE_DIR}/packaging/vededa-cli.1.in
          -DOUTPUT=${VEDEDA_STAGE}/man/man1/vededa-cli.1 -DVERSION=${PROJECT_VERSION}
          -P ${PROJECT_SOURCE_DIR}/cmake/make_man_page.cmake
  COMMAND gzip -9nf -k ${VEDEDA_STAGE}/man/man1/vededa-cli.1
  DEPENDS vededa-cli ${PROJECT_SOURCE_DIR}/packaging/vededa-cli.1.in ${PROJECT_SOURCE_DIR}/cmake/make_man_page.cmake
  COMMENT "Manual page vededa-cli(1) from the program's help" VERBATIM)
if(TARGET vededa)
  set(VEDEDA_VERSION ${PROJECT_VERSION})
  configure_file(${PROJECT_SOURCE_DIR}/packaging/vededa.1.in ${VEDEDA_STAGE}/man/man1/vededa.1 @ONLY)
  add_custom_command(OUTPUT ${VEDEDA_STAGE}/man/man1/vededa.1.gz
    COMMAND gzip -9nf -k ${VEDEDA_STAGE}/man/man1/vededa.1
    DEPENDS ${VEDEDA_STAGE}/man/man1/vededa.1 VERBATIM)
  list(APPEND VEDEDA_MAN_PAGES ${VEDEDA_STAGE}/man/man1/vededa.1.gz)
endif()
add_custom_target(vededa_man_pages ALL DEPENDS ${VEDEDA_MAN_PAGES})

# --- Install rules -------------------------------------------------------------------------------
install(TARGETS vededa-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET vededa)
  install(TARGETS vededa RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/vededa.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/vededa-mime.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME vededa.xml)
  foreach(size ${VEDEDA_ICON_SIZES})
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/vededa-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME vededa.png)
  endforeach()
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${VEDEDA_DATA_INSTALL_DIR}/examples)
install(FILES ${VEDEDA_DOC_SOURCES} ${VEDEDA_HTML_DOCS} DESTINATION ${VEDEDA_DOC_INSTALL_DIR})
install(FILES ${VEDEDA_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# --- Debian package: cpack -G DEB (scripts/package builds it from a Release build) ---------------
set(CPACK_PACKAGE_NAME vededa)
set(CPACK_PACKAGE_VENDOR "Vededa developers")
set(CPACK_PACKAGE_CONTACT "Vededa developers <vededa@localhost>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "preliminary sizing of an aircraft and its propulsion system")
set(CPACK_PACKAGE_DESCRIPTION
    "Vededa describes an aircraft (drag polar), its engine (thrust-lapse and fuel-consumption
correlations, a user equation, or an off-design cycle deck scaled from a reference
engine file) and what the aircraft must do, and computes the constraint analysis and
diagram, the mission analysis, engine performance and contour plots, with
fixed-column reports, printing, and projects saved as text files. The package holds
the desktop application, the command-line program vededa-cli, example projects and
engines, and the user manual.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared-library dependencies (the Qt 6 runtime, libstdc++) come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# xdg-utils opens the manual and files from the desktop; the reports want a fixed-pitch font with
# Courier's metrics.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-liberation, shared-mime-info, desktop-file-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "x11-apps, mtpaint")
include(CPack)
