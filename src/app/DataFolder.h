#pragma once

#include <QString>

#include <functional>

// Where the three table files live. A portable copy or a build keeps them in the program's
// folder; an installed program cannot write there, so it keeps them in the user's data folder,
// into which the shipped question bank is copied once. The candidate's copy, with the notes
// in it, is never overwritten afterwards.
namespace DataFolder {

// The bank delivered with the program: beside it, or in the shared data folder of an install.
QString shippedBank(const QString& programFolder);

// `canWrite` tells whether a folder takes new files; tests replace it.
QString resolve(const QString& programFolder, const QString& userDataFolder,
                const std::function<bool(const QString&)>& canWrite = {});

bool folderTakesFiles(const QString& folder);

} // namespace DataFolder
