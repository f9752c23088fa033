target_sources(cdzrt PRIVATE
    data/ErrorState.h data/ErrorState.cpp
    data/SqlValue.h
    data/FieldDesc.h data/FieldDesc.cpp
    data/FileDecl.h data/FileDecl.cpp
    data/FileDeclBuilder.h
    data/FileName.h data/FileName.cpp
    data/StaleJournal.h data/StaleJournal.cpp
    data/Database.h data/Database.cpp
    data/TableSql.h data/TableSql.cpp
    data/RecordCodec.h data/RecordCodec.cpp
    data/Position.h data/Position.cpp
    data/KeysetQuery.h data/KeysetQuery.cpp
    data/DataFile.h data/DataFile.cpp
    data/View.h data/View.cpp
    data/FileCipher.h data/FileCipher.cpp
    data/RecordBindings.h data/RecordBindings.cpp
    data/FilterTranslator.h data/FilterTranslator.cpp
    data/ViewFilter.h data/ViewFilter.cpp
    data/TableLock.h data/TableLock.cpp
    data/TableRename.h data/TableRename.cpp
)
target_link_libraries(cdzrt PUBLIC SQLite::SQLite3)
# The owner-password cipher of protected files.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SODIUM REQUIRED IMPORTED_TARGET libsodium)
target_link_libraries(cdzrt PRIVATE PkgConfig::SODIUM)
