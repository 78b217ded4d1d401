#pragma once

// collection_path: which of several places holds the collection file.

#include <string>
#include <vector>

// The first candidate that names an existing regular file, in the order given;
// empty when none does. Folders and empty entries never count.
std::string FirstExistingPath(const std::vector<std::string>& candidates);
