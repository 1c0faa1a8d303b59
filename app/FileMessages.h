#pragma once

#include "scene/Mesh.h"

#include <filesystem>
#include <string>

namespace Quorvane {

// The texts both shells show about the files they open and write, so that the
// same situation reads the same on Linux and on Windows. Reasons are clauses without a capital or
// a full stop ("the file is empty"); the messages are whole sentences in UTF-8.

// The path as the platform writes it: its own separators, in UTF-8.
std::string displayPath(const std::filesystem::path& path);

// Cannot open "PATH": REASON.
std::string cannotOpenMessage(const std::filesystem::path& path, const std::string& reason);

// "PATH" is shown only in part: REASON.
std::string shownInPartMessage(const std::filesystem::path& path, const std::string& reason);

// Cannot write "PATH": the file cannot be created or written.
std::string cannotSaveFrameMessage(const std::filesystem::path& path);

// True for the statuses with which our OBJ reader refused the file before
// reading a model from it: there is nothing to show.
bool refusedUnread(MeshLoadStatus status);

// The message about the model our OBJ reader read into mesh from path with
// status: why it was refused, or why it is shown only in part (a face that is
// not a triangle, an overlong line, a read error, an empty file, no faces);
// empty otherwise. The shells show it at start-up; a file that cannot be
// opened at all has a message of each shell's own.
std::string ownReaderMessage(const std::filesystem::path& path, MeshLoadStatus status, const Mesh& mesh);

// What is wrong with a model our OBJ reader read into mesh with status, or
// nothing when it was read completely and has faces. fileIsEmpty tells a
// zero-byte file from one without a face line.
std::string ownReaderProblem(MeshLoadStatus status, const Mesh& mesh, bool fileIsEmpty);

} // namespace Quorvane
