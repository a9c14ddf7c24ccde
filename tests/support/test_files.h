// Files and folders for tests.
#pragma once

#include <string>
#include <vector>

// build/dist as Wine sees it.
std::string DistFolder();

// An empty folder C:\vexlo-tests\NAME, made anew.
std::string FreshFolder(const std::string& name);

void RemoveTree(const std::string& path);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& content);

// The files in `folder` whose names match the wildcard `pattern`.
std::vector<std::string> FilesMatching(const std::string& folder, const std::string& pattern);

std::string TempFolder();
