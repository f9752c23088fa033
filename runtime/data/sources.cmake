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
)
target_link_libraries(cdzrt PUBLIC SQLite::SQLite3)
