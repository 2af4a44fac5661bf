# Tables generated at build time from the Unicode character database that
# Debian's package unicode-data installs (scripts/install-deps.sh), so the
# program's case folding and composing marks follow the published data
# rather than hand-written lists.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
find_file(UNICODE_CASE_FOLDING CaseFolding.txt PATHS /usr/share/unicode NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_file(UNICODE_DATA UnicodeData.txt PATHS /usr/share/unicode NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)

set(UNICODE_TABLE_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/unicode)

# Generates the tables into the build tree and lets `target` include them.
function(add_unicode_tables target)
  set(out ${CMAKE_BINARY_DIR}/unicode_tables)
  file(MAKE_DIRECTORY ${out})
  add_custom_command(
    OUTPUT ${out}/case_folding_pairs.inc
    COMMAND ${Python3_EXECUTABLE} ${UNICODE_TABLE_SCRIPTS}/case_folding_pairs.py
            ${UNICODE_CASE_FOLDING} ${out}/case_folding_pairs.inc
    DEPENDS ${UNICODE_TABLE_SCRIPTS}/case_folding_pairs.py ${UNICODE_CASE_FOLDING}
    COMMENT "Generating the simple case folding table")
  add_custom_command(
    OUTPUT ${out}/composing_units.inc
    COMMAND ${Python3_EXECUTABLE} ${UNICODE_TABLE_SCRIPTS}/composing_units.py
            ${UNICODE_DATA} ${out}/composing_units.inc
    DEPENDS ${UNICODE_TABLE_SCRIPTS}/composing_units.py ${UNICODE_DATA}
    COMMENT "Generating the table of combining marks")
  target_sources(${target} PRIVATE ${out}/case_folding_pairs.inc ${out}/composing_units.inc)
  target_include_directories(${target} PRIVATE ${out})
endfunction()
