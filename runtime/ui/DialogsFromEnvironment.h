#pragma once
// The dialog facade a program run should use, chosen at start from the environment.
//
// CDZ_DIALOG_ANSWERS=<file>  Dialogs are answered from <file> instead of being shown: one answer
//   per line, taken in order by whichever dialog comes next (a trailing CR is ignored):
//     message box   a button name: OK, Yes, No, Abort, Retry, Ignore, Cancel (any case), or its
//                   code (1, 2, 4, 8, 16, 32, 64); an empty line presses the default button
//     file dialog   the path chosen (write "./Cancel" for a file really named so); an empty
//                   line or "Cancel" cancels
//     popup menu    the number of the item chosen, counted without separators; 0, an empty
//                   line or "Cancel" chooses nothing
//     font dialog   "Typeface,Size,Colour,Style", e.g. "Arial,10,255,700" (colour as stored,
//                   0x00BBGGRR in decimal, or "#RRGGBB"; style = weight + 4096 italic + 8192
//                   underline + 16384 strike-out); "OK" keeps the preset font; an empty line or
//                   "Cancel" cancels
//     colour dialog a stored colour number or "#RRGGBB"; "OK" keeps the preset; an empty line
//                   or "Cancel" cancels
//   When the answers run out, message boxes take their default button, popups 0, and the other
//   dialogs are cancelled. Halts need no answer.
// CDZ_DIALOG_LOG=<file>  Every dialog shown (answered from the file or by the user) is appended
//   to <file> as one JSON line: {"kind", "title", "text", "icon", "buttons", "default",
//   "initial", "answer"}; kind is message, openFile, saveFile, folder, font, colour, popup or
//   halt.
//   The answers of a log, in order, make an answer file that replays the run.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/ui/Dialogs.h"

namespace cdz {

// The facade for this run: scripted when CDZ_DIALOG_ANSWERS is set, Qt otherwise, logged when
// CDZ_DIALOG_LOG is set. nullptr with error set when a named file cannot be read or opened.
std::unique_ptr<Dialogs> dialogsFromEnvironment(std::string& error);

// The answers of an answer file, one per line; nullopt with error set when it cannot be read.
std::optional<std::vector<std::string>> readDialogAnswers(const std::string& path,
                                                          std::string& error);

}  // namespace cdz
