#pragma once
// Command files: a whole command line spread over lines, with comment lines
// and included files.
//
// A line holding '#' anywhere is a comment. A line holding "INCLUDE " or
// "include " names a file to include as its second blank- or tab-separated
// field (one double quote at each end is removed); included files may
// include further files, up to kMaxIncludeDepth levels. Every other line is
// appended to the command text after one blank. Failures throw
// StatusFailure with STATUS 48.
#include <string>
#include <vector>

inline constexpr int kMaxIncludeDepth = 16;

// The command text of the file: the program path, then its kept lines.
std::string readCommandFile(const std::string& programPath, const std::string& fileName);

// Appends the kept lines of an included file (named as includedFileName
// gives it) and of the files it includes.
void includeCommandFile(const std::string& fileName, std::string& commandText, int depth = 1);

// A line holding '#' anywhere.
bool isCommentLine(const std::string& line);
// A line holding "INCLUDE " or "include ".
bool isIncludeLine(const std::string& line);
// The file an INCLUDE line names, one quote at each end removed; a line
// without a name throws StatusFailure with STATUS 48.
std::string includedFileName(const std::string& line);

// Splits the text at blanks, tabs and carriage returns. A run of words
// between double quotes becomes one word (joined with single blanks, the
// first two quotes removed); a run that is never closed is dropped.
std::vector<std::string> tokenizeCommandText(const std::string& commandText);
