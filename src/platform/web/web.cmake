# The web build: quarnel.js, quarnel.wasm and quarnel.data (res/, res_3d/, the glyph atlas, the
# texts' catalogues and QUARNEL_ini.txt when the source tree has one) beside index.html, in the
# build folder. Made by `make web`, which first builds quarnel-glyphs on the desktop and passes it
# as QUARNEL_GLYPHS.
set(QUARNEL_GLYPHS "" CACHE FILEPATH "The desktop's quarnel-glyphs, which draws the text atlas")
if(NOT QUARNEL_GLYPHS)
  message(FATAL_ERROR "QUARNEL_GLYPHS must name a desktop build's quarnel-glyphs (make web does)")
endif()
execute_process(COMMAND fc-match -f "%{file}" "IPAGothic:lang=ja" OUTPUT_VARIABLE QUARNEL_FONT)

# Every character the game's own sources and its texts' translations hold gets its glyph.
file(GLOB_RECURSE GLYPH_SOURCES CONFIGURE_DEPENDS src/frame/*.cpp src/frame/*.h src/title/*.cpp src/title/*.h
  src/maze/*.cpp src/maze/*.h src/play/*.cpp src/play/*.h src/hud/*.cpp src/hud/*.h src/core/*.cpp src/core/*.h src/base/*.h
  src/main.cpp po/*.po)
add_custom_command(OUTPUT glyphs.png glyphs.txt
  COMMAND ${QUARNEL_GLYPHS} ${QUARNEL_FONT} ${CMAKE_BINARY_DIR}/glyphs ${GLYPH_SOURCES}
  DEPENDS ${GLYPH_SOURCES} ${QUARNEL_GLYPHS} VERBATIM)
add_custom_target(quarnel-glyph-atlas DEPENDS glyphs.png glyphs.txt)

# Floating-point std::from_chars, which this Emscripten's C++ library lacks.
target_compile_options(quarnel_game PRIVATE -include ${CMAKE_SOURCE_DIR}/src/platform/web/from_chars_float.h)
target_compile_options(quarnel_platform_common PRIVATE -include ${CMAKE_SOURCE_DIR}/src/platform/web/from_chars_float.h)

file(GLOB WEB_SOURCES CONFIGURE_DEPENDS src/platform/web/*.cpp src/platform/gl/*.cpp)
add_executable(quarnel src/main.cpp ${WEB_SOURCES})
add_dependencies(quarnel quarnel-glyph-atlas quarnel-catalogues)
# GLM is headers only; its folder alone is put on the path, not the rest of /usr/include.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/glm-include)
file(CREATE_LINK /usr/include/glm ${CMAKE_BINARY_DIR}/glm-include/glm SYMBOLIC)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/stb-include)
file(CREATE_LINK /usr/include/stb ${CMAKE_BINARY_DIR}/stb-include/stb SYMBOLIC)
target_include_directories(quarnel SYSTEM PRIVATE ${CMAKE_BINARY_DIR}/glm-include ${CMAKE_BINARY_DIR}/stb-include)
target_link_libraries(quarnel PRIVATE quarnel_game quarnel_platform_common)
target_compile_options(quarnel PRIVATE -include ${CMAKE_SOURCE_DIR}/src/platform/web/from_chars_float.h)

# Each as "SHELL:" so that CMake keeps the repeated option.
set(WEB_DATA "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/res@/res" "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/res_3d@/res_3d"
  "SHELL:--preload-file ${CMAKE_BINARY_DIR}/glyphs.png@/glyphs.png"
  "SHELL:--preload-file ${CMAKE_BINARY_DIR}/glyphs.txt@/glyphs.txt"
  "SHELL:--preload-file ${CMAKE_BINARY_DIR}/locale@/locale")
if(EXISTS ${CMAKE_SOURCE_DIR}/QUARNEL_ini.txt)
  list(APPEND WEB_DATA "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/QUARNEL_ini.txt@/QUARNEL_ini.txt")
endif()
# Asyncify lets the game's loops return to the browser from WaitForFrame, the one import that sleeps.
target_link_options(quarnel PRIVATE -sASYNCIFY -sASYNCIFY_IMPORTS=["WaitForFrame"] -sASYNCIFY_STACK_SIZE=262144
  -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2 -sALLOW_MEMORY_GROWTH -sEXIT_RUNTIME=1 -sENVIRONMENT=web
  -sEXPORTED_RUNTIME_METHODS=["FS"] -lidbfs.js --pre-js ${CMAKE_SOURCE_DIR}/src/platform/web/page.js ${WEB_DATA})
set_property(TARGET quarnel APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/web/page.js
  ${CMAKE_BINARY_DIR}/glyphs.png ${QUARNEL_CATALOGUES})
configure_file(src/platform/web/index.html index.html COPYONLY)
configure_file(res/icon32.png icon32.png COPYONLY)
