#pragma once
// Where the window finds its example files: beside the program in a build tree or
// a copied folder, under share/beamwright/examples when installed.

#include <QString>

namespace bw::app {

// `programFolder` when it holds any example file; else the installed examples folder
// (relative to the program's folder) when that exists; else `programFolder`.
QString exampleFolderFor(const QString& programFolder);

}  // namespace bw::app
