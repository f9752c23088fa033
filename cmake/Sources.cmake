# The one way a target lists its sources: by rooms. A room is a folder holding one purpose;
# every header and source in it belongs to the target. Folders are given relative to the
# calling CMakeLists ("." for its own folder). A program's entry point or a child process lives
# in a folder of its own, so that it never lands in a library by accident.
function(cdz_rooms target)
    foreach(room ${ARGN})
        file(GLOB files CONFIGURE_DEPENDS
            ${CMAKE_CURRENT_SOURCE_DIR}/${room}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/${room}/*.cpp)
        if(NOT files)
            message(FATAL_ERROR "room ${room} of ${target} holds no sources")
        endif()
        target_sources(${target} PRIVATE ${files})
    endforeach()
endfunction()
