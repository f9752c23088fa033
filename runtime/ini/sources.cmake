target_sources(cdzrt PRIVATE
    ini/AtomicWrite.h ini/AtomicWrite.cpp
    ini/FileLock.h ini/FileLock.cpp
    ini/IniDocument.h ini/IniDocument.cpp
    ini/IniFile.h ini/IniFile.cpp
)
