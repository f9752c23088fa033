#include "app/program/ProgramManual.h"

namespace cdz {

std::vector<ManualSection> programManual() {
    return {
        {.title = "DESCRIPTION",
         .paragraphs =
             {"Orvanta 98 catalogues a personal music collection: songs and albums, categories "
              "and media formats, playlists and weekly charts, CD and cassette labels, catalogue "
              "reports, CSV import and export, the track counts and lengths of an audio CD, and "
              "a query wizard whose queries can be saved. Several copies on different computers "
              "may share the same data files, or one catalogue on a PostgreSQL server.",
              "Without a command the program opens its main window. The commands below run "
              "without windows."}},
        {.title = "DATA FOLDER",
         .paragraphs =
             {"Started from a terminal, the program keeps its data files and settings in the "
              "current folder, or in the folder --data-dir names.",
              "Started from the desktop's menu, it is given --desktop and keeps them in "
              "$XDG_DATA_HOME/cadenzio, or ~/.local/share/cadenzio when XDG_DATA_HOME is unset, "
              "empty or not an absolute path; that folder is made on the first start. A "
              "catalogue in the folder the desktop starts the program in (usually the home "
              "folder) is never moved: on that first start the program says where it stays and "
              "how to open it. A folder that cannot be made is told on standard error and the "
              "program exits with status 2."}},
        {.title = "ENVIRONMENT",
         .entries =
             {{"CDZ_CD_DEVICE",
               "The CD drive or disc image (a .cue sheet) the program reads; it wins over "
               "CdDevice= in section [Settings] of CDZSETS.INI. Without either, the computer's "
               "default CD drive."},
              {"XDG_DATA_HOME", "Where --desktop keeps the data folder (see DATA FOLDER)."},
              {"XDG_CACHE_HOME",
               "The online title service's answers are kept in $XDG_CACHE_HOME/cdzapp/titles "
               "(~/.cache/cdzapp/titles) for a month."},
              {"CDZ_DIALOG_ANSWERS",
               "A file with one answer per line for the dialogs a scripted run shows, taken in "
               "order."},
              {"CDZ_DIALOG_LOG", "A file every dialog shown is appended to as one JSON line."},
              {"CDZ_QUIT_AFTER_START",
               "When 1, the main window closes itself as soon as start-up has finished."},
              {"CDZ_REPORT_FIRST_PAGE",
               "When 1, each list window writes on standard error when its first page was "
               "drawn."}}},
        {.title = "FILES",
         .paragraphs = {"All in the data folder:"},
         .entries = {{"cdzdata.tps, cdzalbum.tps, ...",
                      "The data files (SQLite databases; the sqlite3 shell reads them)."},
                     {"CDZSETS.INI", "The settings, window places and list layouts."},
                     {"CDZRUN.INI",
                      "The program's own profile file, with the marker of a data file whose "
                      "opening was interrupted."},
                     {"QUERIES.TPS", "The saved queries."}}},
        {.title = "EXIT STATUS",
         .entries = {{"0", "The program or the command ended as asked."},
                     {"1",
                      "A command could do nothing (nothing to print, a file that cannot be "
                      "read or written), or an unknown option was given."},
                     {"2",
                      "A wrong order (two commands at once, an option without its value), or "
                      "a data folder or server that cannot be used."},
                     {"3", "The program found another version of its runtime library."}}},
        {.title = "SEE ALSO", .paragraphs = {"tpsfix(1)"}},
    };
}

}  // namespace cdz
