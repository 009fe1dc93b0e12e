#pragma once
// Names of log and summary files. Only the file name is ever compared or rewritten; the
// directory is kept exactly as given (Linux file systems are case-sensitive).

#include <string>
#include <string_view>

namespace trix::logs {

// The directory part of a path, with its trailing '/' ("" for a bare name).
std::string directoryOf(std::string_view path);
// The name after the last '/'.
std::string_view baseName(std::string_view path);

// The running number of a file name: when its sixth character is a digit, the number written
// from its fifth character on ('_' in the fifth place reads as '0'); -1 when there is none.
// Names that begin with one of the longer model codes are read after their code, so files of
// those models are numbered too.
int fileNumber(std::string_view name);

// The largest running number among the files of `directory` whose extension is `extension`
// (".log", ".sum"; compared without case); 0 when none or above 9999.
int largestFileNumber(const std::string& directory, std::string_view extension);

// "<dir><code>_%03d<ext>" for k up to 999, else "<dir><code>%04d<ext>".
std::string numberedFileName(const std::string& directory, std::string_view code, int k,
                             std::string_view extension);

// The next free numbered name: one above the largest number found, and further up while a
// file of that name exists, so a new file never replaces an existing one.
std::string nextNumberedFileName(const std::string& directory, std::string_view code,
                                 std::string_view extension);

// The summary file of a log: the log's name (its case kept) with its ".log" extension, in any
// case, replaced by ".sum"; a
// name that does not end in ".log" gets ".sum" appended, so the log itself is never the
// summary file.
std::string summaryNameForLog(std::string_view logPath);

bool fileExists(const std::string& path);

} // namespace trix::logs
