#pragma once

#include <cstddef>
#include <string>

// Reading a list of measured crystal frequencies from a file, as the sorting
// dialog and vantix-calc do it.

// A list of a few hundred crystals is a few kilobytes; anything near this is
// not a list.
inline constexpr std::size_t kXtalListMaxBytes = 1024 * 1024;

// Where a list may come from. A window must not wait for a writer that may
// never come, so only the command line reads pipes (`<(…)`, a named FIFO).
enum class EXtalListSource { FilesOnly, FilesAndPipes };

// Reads strPath into strUtf8: UTF-8 (a BOM is dropped) or else Shift-JIS, as
// a spreadsheet on either system saves it. The type is checked before the
// file is opened: directories, devices (/dev/zero) and sockets are refused,
// as are more than kXtalListMaxBytes bytes, a NUL byte, or bytes that are
// neither UTF-8 nor Shift-JIS. Returns false with strError (Japanese, naming
// the file as strName) saying which.
bool ReadXtalListFile(const std::string& strPath, const std::string& strName,
                      EXtalListSource eSource, std::string& strUtf8, std::string& strError);
