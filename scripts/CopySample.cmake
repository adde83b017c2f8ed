# Copies the files of a sample folder into DEST, leaving any file already there untouched.
file(GLOB sample_files "${SOURCE}/*")
foreach(f IN LISTS sample_files)
  get_filename_component(name "${f}" NAME)
  if(NOT EXISTS "${DEST}/${name}")
    file(COPY "${f}" DESTINATION "${DEST}")
  endif()
endforeach()
