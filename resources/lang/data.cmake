# The language file beside the program, packed from the readable sources here
# by tools/mldpack at build time.
set(_lang_dir ${CMAKE_CURRENT_LIST_DIR})
set(_lang_out ${LC_PROGRAM_DIR}/Loopcrafter.mld)
add_custom_command(OUTPUT ${_lang_out}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${LC_PROGRAM_DIR}
  COMMAND mldpack ${_lang_out} ENG=${_lang_dir}/ENG.txt RUS=${_lang_dir}/RUS.txt
  DEPENDS mldpack ${_lang_dir}/ENG.txt ${_lang_dir}/RUS.txt
  COMMENT "Packing the language file Loopcrafter.mld"
  VERBATIM)
add_custom_target(lc_lang_file DEPENDS ${_lang_out})
add_dependencies(lc_data_files lc_lang_file)
