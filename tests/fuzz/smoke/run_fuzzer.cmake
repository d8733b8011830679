# One bounded fuzz run, for ctest:
#   cmake -DFUZZER=<fuzz binary> -DSEEDS=<seed corpus> -DWORK=<folder in the build tree> -P run_fuzzer.cmake
# The fuzzer grows a fresh copy of the seeds, never the checked-in corpus; a crash file stays in WORK.
if(NOT EXISTS "${FUZZER}")
  message(FATAL_ERROR "fuzz target not found: ${FUZZER}\n"
                      "Build the fuzz targets first with `make fuzz` (clang, build/fuzz).")
endif()

set(corpus "${WORK}/corpus")
file(REMOVE_RECURSE "${corpus}")
file(MAKE_DIRECTORY "${corpus}")
file(COPY "${SEEDS}/" DESTINATION "${corpus}")

execute_process(
  COMMAND "${FUZZER}" -max_total_time=5 -rss_limit_mb=1024 "${corpus}"
  WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${result}); any crash input was written to ${WORK}")
endif()
