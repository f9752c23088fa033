# cmake -DPROGRAM=path -DPAGE=file.1 -P WriteManualPage.cmake: the program's manual page as it
# writes it (--help-man) into PAGE, and PAGE.gz compressed as Debian ships manual pages (no name
# or time stamp inside, so that two builds give the same bytes). Each is written under another
# name first, so that a failed run leaves no page that looks made.
# A sanitizer build's leak check is not what this run is for.
set(ENV{ASAN_OPTIONS} "detect_leaks=0")
execute_process(COMMAND ${PROGRAM} --help-man OUTPUT_FILE ${PAGE}.new RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    file(REMOVE ${PAGE}.new)
    message(FATAL_ERROR "${PROGRAM} --help-man failed: ${status}")
endif()
execute_process(COMMAND gzip -9nc ${PAGE}.new OUTPUT_FILE ${PAGE}.gz.new RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    file(REMOVE ${PAGE}.new ${PAGE}.gz.new)
    message(FATAL_ERROR "gzip of ${PAGE} failed: ${status}")
endif()
file(RENAME ${PAGE}.new ${PAGE})
file(RENAME ${PAGE}.gz.new ${PAGE}.gz)
