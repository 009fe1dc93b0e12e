#pragma once
// Results go to standard output through here: a write that fails ends the command with a
// clear message and status 1, except when the reader has gone away (a pipe into `head`), which
// ends it quietly with status 0, as `cat` and `grep` do.

#include <string_view>

namespace trixlog {

// Writes `text` to stdout; false once any write has failed (nothing more is written).
bool writeOut(std::string_view text);
// Flushes stdout and gives the command's exit status: `rc` when every write succeeded.
int finishOutput(int rc);
// The reader of stdout has gone away.
bool readerGone();

} // namespace trixlog

namespace trix::logs {
class LogIndexer;
}

namespace trixlog {

// The error list of an indexing pass lives in the run's private scratch folder, which goes
// away at exit: its lines (the first twenty) are told on stderr instead of its path.
void reportIndexingErrors(const trix::logs::LogIndexer& indexer);

} // namespace trixlog
