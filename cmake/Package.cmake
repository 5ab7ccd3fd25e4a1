# The release: one zip (bash tools/package.sh) that unpacks into a ready kiosk folder:
# Kelo.exe, KeloCheck.exe, the sample kiosk's settings, pages and guide (tools/kiosk), its
# three skins drawn by the generator, and copies of the stand-in player as its videos.

# The skins are drawn by tools/skingen, a host program: built with the host's compiler.
find_program(KELO_HOST_CXX NAMES g++ c++ REQUIRED)
file(GLOB _skingen_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/skingen/*.cpp)
file(GLOB _skingen_headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/skingen/*.h)
set(KELO_SAMPLE_SKINS ${CMAKE_BINARY_DIR}/sample/SKINS)
add_custom_command(
  OUTPUT ${KELO_SAMPLE_SKINS}/Classique/Skin.ini
  COMMAND ${KELO_HOST_CXX} -std=c++17 -O2 -o ${CMAKE_BINARY_DIR}/SkinGenerator ${_skingen_sources}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${KELO_SAMPLE_SKINS}
  COMMAND ${CMAKE_BINARY_DIR}/SkinGenerator skins ${KELO_SAMPLE_SKINS}
  DEPENDS ${_skingen_sources} ${_skingen_headers}
  COMMENT "Drawing the sample kiosk's skins"
  VERBATIM)
add_custom_target(kelo_sample_skins ALL DEPENDS ${KELO_SAMPLE_SKINS}/Classique/Skin.ini)

install(TARGETS Kelo KeloCheck RUNTIME DESTINATION .)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/tools/kiosk/ DESTINATION .)
install(DIRECTORY ${KELO_SAMPLE_SKINS}/ DESTINATION SKINS)
foreach(film IN ITEMS film1 film2 film3)
  install(PROGRAMS $<TARGET_FILE:kelo_player> DESTINATION Video RENAME ${film}.exe)
endforeach()

# Packing installs what is built already: the script builds just the packed targets first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Kelo)
set(CPACK_PACKAGE_VENDOR Kelo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Kelo-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
include(CPack)
