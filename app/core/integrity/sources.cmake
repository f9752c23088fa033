# Referential integrity: the delete and update procedures of the data files, part of the
# program's core library.
target_sources(cdzappcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/IntegrityScope.h ${CMAKE_CURRENT_LIST_DIR}/IntegrityScope.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SavedLinks.h ${CMAKE_CURRENT_LIST_DIR}/SavedLinks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LinkWalk.h ${CMAKE_CURRENT_LIST_DIR}/LinkWalk.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DeleteRules.h ${CMAKE_CURRENT_LIST_DIR}/DeleteRules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UpdateRules.h ${CMAKE_CURRENT_LIST_DIR}/UpdateRules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Integrity.h ${CMAKE_CURRENT_LIST_DIR}/Integrity.cpp
)
