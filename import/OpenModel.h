#pragma once

#include "scene/Mesh.h"

#include <filesystem>
#include <string>

namespace Quorvane {

// Which code reads a model file.
enum class ModelReader {
    automatic, // our OBJ reader for an OBJ it reads completely, else the importer
    quorvane,  // our OBJ reader alone, as the program reads data/head.obj
    importer,  // the importer alone
};

enum class OpenOutcome {
    opened,       // mesh is the whole model
    openedInPart, // mesh is what our reader read before it stopped; show it and tell why
    failed,       // nothing to show: keep the current model and tell why
};

struct OpenedModel {
    OpenOutcome outcome = OpenOutcome::failed;
    Mesh mesh;
    std::string reason; // a clause saying what went wrong; empty when opened
};

// Opens a model file for the shells and quorvane-render. automatic keeps the
// pictures of Quorvane's own OBJ files exact: an .obj (any case) that our
// reader reads to the end, with faces and with every face index inside its
// list, is shown as read; every other file goes through importModel. Only
// quorvane lets our reader write its line to standard error.
OpenedModel openModel(const std::filesystem::path& path, ModelReader reader = ModelReader::automatic);

// The one sentence a message box shows about opened, naming path: empty when
// it was opened completely.
std::string openMessage(const std::filesystem::path& path, const OpenedModel& opened);

} // namespace Quorvane
