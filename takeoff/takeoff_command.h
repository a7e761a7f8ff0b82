#pragma once
// The command line of the takeoff tool:
//
//   ponderix-takeoff [--db weight.db] [--csv OUT.csv] [--html OUT.html] LIST.csv|-
//
// Reads the list (a file, or standard input for "-"), weighs every line, prints the report on
// standard output and writes the CSV and HTML reports asked for. Section look-ups read the
// section database (weight.db in the working directory unless --db says otherwise) read-only,
// and only when a line needs it.
//
// Exit codes: 0 every line weighed; 1 some lines left out of the totals (each listed with its
// reason); 2 nothing could be weighed: wrong arguments, a list that cannot be read (no such file,
// not CSV, no header row), no usable section database, or a report that cannot be written.
// Every failure, and lines left out, get one line on standard error.

#include <iosfwd>
#include <string>
#include <vector>

inline constexpr int kExitAllWeighed = 0;
inline constexpr int kExitLinesLeftOut = 1;
inline constexpr int kExitUnreadable = 2;

// Arguments and paths are UTF-8. Reports are written as UTF-8.
int RunTakeoffCommand(const std::vector<std::string>& args, std::istream& standardInput,
                      std::ostream& standardOutput, std::ostream& standardError);
