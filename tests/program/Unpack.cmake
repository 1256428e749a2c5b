# Unpacks the package afresh: cmake -DZIP=... -DINTO=... -P Unpack.cmake
if(NOT EXISTS ${ZIP})
  message(FATAL_ERROR "${ZIP} is missing: build the zip target first")
endif()
file(REMOVE_RECURSE ${INTO})
file(MAKE_DIRECTORY ${INTO})
file(ARCHIVE_EXTRACT INPUT ${ZIP} DESTINATION ${INTO})
