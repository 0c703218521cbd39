# cmake -DSVG=... -DICO=... -DRSVG_CONVERT=... -DCONVERT=... -P make_ico.cmake
# Renders the SVG at each size separately (small sizes stay sharp) and packs
# the images into one .ico.
get_filename_component(dir "${ICO}" DIRECTORY)
file(MAKE_DIRECTORY "${dir}")
set(pngs "")
foreach(size 16 20 24 32 40 48 64 256)
  set(png "${dir}/unra5-card-${size}.png")
  execute_process(COMMAND "${RSVG_CONVERT}" -w ${size} -h ${size} -o "${png}" "${SVG}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "rsvg-convert failed for size ${size}")
  endif()
  list(APPEND pngs "${png}")
endforeach()
execute_process(COMMAND "${CONVERT}" ${pngs} "${ICO}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "ImageMagick could not make ${ICO}")
endif()
