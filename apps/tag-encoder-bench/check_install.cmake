# Installs the build into PREFIX and checks that the programs, the desktop
# entry, the icon and the AppStream metainfo land where a desktop looks for
# them, and the manual pages and copyright beside them.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file bin/tag-encoder-bench bin/tag-reader-sim share/applications/tag-encoder-bench.desktop
             share/icons/hicolor/scalable/apps/tag-encoder-bench.svg
             share/metainfo/org.tagencoderbench.TagEncoderBench.metainfo.xml
             share/man/man1/tag-encoder-bench.1.gz share/doc/tag-encoder-bench/copyright)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
