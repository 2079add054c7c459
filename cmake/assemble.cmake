# Copies the committed game data (config, texts, maps) into the game folder.
# Fonts, images and sounds come from Debian packages through scripts/assets.
file(MAKE_DIRECTORY ${DST}/saves)
file(GLOB entries RELATIVE ${SRC} ${SRC}/*)
foreach(e ${entries})
  if(IS_DIRECTORY ${SRC}/${e})
    file(COPY ${SRC}/${e} DESTINATION ${DST})
  else()
    file(COPY ${SRC}/${e} DESTINATION ${DST})
  endif()
endforeach()
