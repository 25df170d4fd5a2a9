// The files the program keeps beside its executable: the settings file and
// the bitmap files of saved pictures. Files are addressed by bare name
// inside the one folder a layer was made for (on Windows the program's
// directory; the layer may reach it through wide-character calls where the
// folder's name has characters the ANSI code page cannot hold).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace swl {

struct FileRead {
    enum class Status { Ok, Missing, Failed, TooLarge };
    Status status = Status::Missing;
    std::string bytes;  // the whole file when status is Ok

    bool ok() const { return status == Status::Ok; }
};

class FileLayer {
public:
    virtual ~FileLayer() = default;

    // The whole file. Missing when there is no such file; Failed when it
    // exists but cannot be read; TooLarge when it is longer than maxBytes
    // (nothing is read then).
    virtual FileRead ReadAll(std::string_view name, std::size_t maxBytes) = 0;
    // Creates or truncates the file and writes bytes to it; false on any
    // failure (the file may then be partly written).
    virtual bool WriteAll(std::string_view name, std::string_view bytes) = 0;
    // Puts file `from` in the place of file `to` in one step, replacing `to`
    // when it exists (MoveFileEx with MOVEFILE_REPLACE_EXISTING, rename(2)).
    // On failure both files stay as they were.
    virtual bool Replace(std::string_view from, std::string_view to) = 0;
    // Deletes the file; false when it could not be deleted or was not there.
    virtual bool Remove(std::string_view name) = 0;
};

// The name a file is written under before it replaces `name`.
std::string TempNameFor(std::string_view name);

// Writes the file beside itself under TempNameFor(name) and then replaces the
// file with it, so that readers see the old file or the new one, never a
// half-written one. On failure the temporary file is removed and the old file
// stays as it was.
bool WriteFileAtomically(FileLayer& files, std::string_view name, std::string_view bytes);

}  // namespace swl
