// The few questions and changes about files and folders the game asks besides reading and
// writing them. None of them throws; a failure is an answer (false, nothing done).
#pragma once

#include <string>
#include <vector>

namespace nobakuza {

bool fileExists(const std::string& path);
// Removes a file; a file that is not there is no failure.
void removeFile(const std::string& path);
bool renameFile(const std::string& from, const std::string& to);
// Makes the folder when it is not there yet.
void makeFolder(const std::string& path);
// The folder as an absolute path, when it is a folder; empty otherwise.
std::string absoluteFolder(const std::string& path);
// The names of the regular files directly in `folder`.
std::vector<std::string> regularFileNames(const std::string& folder);

}  // namespace nobakuza
