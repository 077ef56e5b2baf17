# The sample galleries and models beside the program, written by tools/samplegen
# at build time (nothing binary is kept in the sources).
set(_samples_stamp ${CMAKE_BINARY_DIR}/samples.stamp)
add_custom_command(OUTPUT ${_samples_stamp}
  COMMAND samplegen ${LC_PROGRAM_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${_samples_stamp}
  DEPENDS samplegen
  COMMENT "Writing the sample galleries and models"
  VERBATIM)
add_custom_target(lc_sample_files DEPENDS ${_samples_stamp})
add_dependencies(lc_data_files lc_sample_files)
