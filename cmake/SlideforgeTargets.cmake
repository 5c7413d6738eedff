# One helper per kind of target keeps the build files uniform.
#
#   slideforge_module(gif SOURCES gif_reader.cpp ... DEPS image)
#     -> static library slideforge_gif, linking slideforge_image; no Qt.
#   slideforge_plugin(ffmpeg FILE slideforge-ffmpeg SOURCES ... DEPS video LIBS ...)
#     -> shared object slideforge-ffmpeg.so beside the binary, opened at run
#        time (common/plugin_library.h) and installed in <libdir>/slideforge.
#   slideforge_gtest(gif_reader_test DEPS gif)
#     -> GoogleTest executable tests/<dir>/gif_reader_test.cpp, registered with CTest.
#   slideforge_qttest(main_window_test)
#     -> Qt Test executable linking the desktop application library.

function(slideforge_module name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LIBS" ${ARGN})
  add_library(slideforge_${name} STATIC ${ARG_SOURCES})
  target_include_directories(slideforge_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  foreach(dep IN LISTS ARG_DEPS)
    target_link_libraries(slideforge_${name} PUBLIC slideforge_${dep})
  endforeach()
  if(ARG_LIBS)
    target_link_libraries(slideforge_${name} PUBLIC ${ARG_LIBS})
  endif()
endfunction()

function(slideforge_plugin name)
  cmake_parse_arguments(ARG "" "FILE" "SOURCES;DEPS;LIBS" ${ARGN})
  add_library(slideforge_${name} MODULE ${ARG_SOURCES})
  target_include_directories(slideforge_${name} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  foreach(dep IN LISTS ARG_DEPS)
    target_link_libraries(slideforge_${name} PRIVATE slideforge_${dep})
  endforeach()
  if(ARG_LIBS)
    target_link_libraries(slideforge_${name} PRIVATE ${ARG_LIBS})
  endif()
  # Only the entry points are exported; the core's copy inside stays private.
  target_link_options(slideforge_${name} PRIVATE -Wl,--exclude-libs,ALL -Wl,--no-undefined)
  set_target_properties(slideforge_${name} PROPERTIES PREFIX "" OUTPUT_NAME ${ARG_FILE}
    LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/src)
  install(TARGETS slideforge_${name} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/slideforge)
endfunction()

set(SLIDEFORGE_CORPUS_DIR "${PROJECT_SOURCE_DIR}/../shared/corpus" CACHE PATH
    "Folder of real files made by other programs; tests that need it skip when it is absent")

function(slideforge_gtest name)
  cmake_parse_arguments(ARG "" "" "DEPS;SOURCES" ${ARGN})
  add_executable(${name} ${name}.cpp ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE slideforge_test_support GTest::gtest GTest::gmock GTest::gtest_main)
  foreach(dep IN LISTS ARG_DEPS)
    target_link_libraries(${name} PRIVATE slideforge_${dep})
  endforeach()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "SLIDEFORGE_CORPUS=${SLIDEFORGE_CORPUS_DIR};SLIDEFORGE_BINARY=$<TARGET_FILE:slideforge>;SLIDEFORGE_PLUGIN_DIR=$<TARGET_FILE_DIR:slideforge>;QT_QPA_PLATFORM=offscreen"
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()

function(slideforge_qttest name)
  cmake_parse_arguments(ARG "" "" "SOURCES" ${ARGN})
  add_executable(${name} ${name}.cpp ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE slideforge_app slideforge_test_support Qt6::Test)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SLIDEFORGE_CORPUS=${SLIDEFORGE_CORPUS_DIR};SLIDEFORGE_PLUGIN_DIR=$<TARGET_FILE_DIR:slideforge>"
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
