# Copies the committed game data (config, texts) into the game folder.
# Fonts, images and sounds come from Debian packages through scripts/assets.
# saves/ and maps/ start empty: the game writes saves; a battle fought with a
# map file reads maps/btl.map, and no map ships with the game.
file(MAKE_DIRECTORY ${DST}/saves ${DST}/maps)
file(GLOB entries RELATIVE ${SRC} ${SRC}/*)
foreach(e ${entries})
  file(COPY ${SRC}/${e} DESTINATION ${DST})
endforeach()
