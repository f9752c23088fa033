target_sources(cdzrt PRIVATE
    filemgr/FileUpgrade.h filemgr/FileUpgrade.cpp
)
