#pragma once
// Whole-file reading and replacing for the game's text files (records,
// settings). Failures come back as the errno that caused them, 0 for success.

#include <string>
#include <string_view>

namespace korvel {

// The whole of a regular file into bytes. EINVAL for what is no regular
// file, EFBIG past max_bytes; a named pipe never blocks the game.
int read_whole_file(const std::string& path, std::string& bytes, long long max_bytes);

// Replaces the file at path by bytes in one step: a hidden temporary file
// beside it, flushed to the disk, then renamed over it. Whatever goes wrong,
// a file that was there before is left as it was; an existing file keeps its
// permissions unless keep_mode is false, a new one (or one not kept) gets
// what the umask leaves of read and write.
// Leftovers of writes that were killed are removed from the folder first.
int replace_whole_file(const std::string& path, std::string_view bytes, bool keep_mode = true);

// Removes the temporary files that killed writes left in folder (UTF-8; empty
// is the current folder): those a minute old or older that no write holds.
// A write still going on, in this process or another, is left alone. The
// number removed.
int remove_stale_temporaries(const std::string& folder);

}  // namespace korvel
