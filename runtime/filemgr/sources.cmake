target_sources(cdzrt PRIVATE
    filemgr/FileUpgrade.h filemgr/FileUpgrade.cpp
)
target_sources(cdzrt PRIVATE
    filemgr/FileSalvage.h filemgr/FileSalvage.cpp
)
target_sources(cdzrt PRIVATE
    filemgr/ExampleFile.h filemgr/ExampleFile.cpp
)
target_sources(cdzrt PRIVATE
    filemgr/FileRegistry.h filemgr/FileRegistry.cpp
)
