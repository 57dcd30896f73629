# Installs the build into PREFIX and checks that the programs, the desktop
# entry and the icon land where a desktop looks for them.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file bin/tag-encoder-bench bin/tag-reader-sim share/applications/tag-encoder-bench.desktop
             share/icons/hicolor/scalable/apps/tag-encoder-bench.svg)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
