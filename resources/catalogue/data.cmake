# The garment catalogue beside the program, written from the readable table
# here by tools/catgen at build time (it refuses pieces that do not close).
set(_cat_table ${CMAKE_CURRENT_LIST_DIR}/catalogue.txt)
set(_cat_out
  ${LC_PROGRAM_DIR}/loopcrafter.ic ${LC_PROGRAM_DIR}/loopcrafter.de$ ${LC_PROGRAM_DIR}/loopcrafter.det
  ${LC_PROGRAM_DIR}/loopcrafter_nd.ENG ${LC_PROGRAM_DIR}/loopcrafter_nd.RUS
  ${LC_PROGRAM_DIR}/loopcrafter_sz.ENG ${LC_PROGRAM_DIR}/loopcrafter_sz.RUS ${LC_PROGRAM_DIR}/loopcrafter.siz)
add_custom_command(OUTPUT ${_cat_out}
  COMMAND catgen ${_cat_table} ${LC_PROGRAM_DIR}
  DEPENDS catgen ${_cat_table}
  COMMENT "Writing the garment catalogue"
  VERBATIM)
add_custom_target(lc_catalogue_files DEPENDS ${_cat_out})
add_dependencies(lc_data_files lc_catalogue_files)
