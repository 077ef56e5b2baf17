# The manual's pictures of our own pages, made at build time by
# tools/manualshots from the real widgets over the sample content (the pages
# themselves are plain files under program/manual/).
if(LC_BUILD_UI)
  set(_shots_dir ${LC_PROGRAM_DIR}/manual/silverreed/images)
  set(_shots_stamp ${CMAKE_BINARY_DIR}/manualshots.stamp)
  add_custom_command(OUTPUT ${_shots_stamp}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/manualshots-home
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/manualshots-home/config
            XDG_DATA_HOME=${CMAKE_BINARY_DIR}/manualshots-home/data
            $<TARGET_FILE:manualshots> ${LC_PROGRAM_DIR} ${_shots_dir}
    COMMAND ${CMAKE_COMMAND} -E touch ${_shots_stamp}
    DEPENDS manualshots ${CMAKE_BINARY_DIR}/samples.stamp lc_lang_file lc_data_plain
    COMMENT "Rendering the manual's pictures of the pages"
    VERBATIM)
  add_custom_target(lc_manual_shots DEPENDS ${_shots_stamp})
  add_dependencies(lc_data_files lc_manual_shots)
endif()
