target_sources(cdzrt PRIVATE
    ui/Colour.h ui/Colour.cpp
    ui/DialogRecord.h ui/DialogRecord.cpp
    ui/Dialogs.h
    ui/DialogsFromEnvironment.h ui/DialogsFromEnvironment.cpp
    ui/FileFilterList.h ui/FileFilterList.cpp
    ui/FontChoice.h ui/FontChoice.cpp
    ui/FontColourDialog.h ui/FontColourDialog.cpp
    ui/LoggingDialogs.h ui/LoggingDialogs.cpp
    ui/MessageButtons.h ui/MessageButtons.cpp
    ui/PopupMenuText.h ui/PopupMenuText.cpp
    ui/ProcedureStarter.h ui/ProcedureStarter.cpp
    ui/QtDialogs.h ui/QtDialogs.cpp
    ui/ScriptedDialogs.h ui/ScriptedDialogs.cpp
)
