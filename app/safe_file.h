#pragma once
// Files from disk are opened only when they are regular files, and never in a
// way that can block: a FIFO, a device or a folder put in place of a save or a
// text file is refused at once. What is written is flushed to the disk before
// a rename makes it current.
#include <cstddef>
#include <cstdio>
#include <string>

// fopen's modes ("rb", "wb", "ab", "r+b", ...) on a regular file only; null
// otherwise. A file opened with "w" is truncated only once it is known to be regular.
FILE* fopen_regular(const std::string& os_path, const char* mode);
// The whole file when it is regular and holds at most max_bytes. The bytes
// are counted as they are read, whatever size the file reports.
bool read_whole_regular(const wchar_t* path, size_t max_bytes, std::string& out);
// Removes a file or link at path, a leftover temporary file; a folder stays.
void remove_stale_file(const wchar_t* path);
// The stream's buffer and the file's data, on the disk.
bool flush_to_disk(FILE* f);
// The folder's entries (names made, renamed or removed in it), on the disk.
bool flush_dir_to_disk(const wchar_t* dir);
