#pragma once
// Where the tests find what is delivered: the programs and the libraries
// they load, built apart from the test programs and fixtures.
#include <string>

inline const std::string kDeliverableFolder = DELIVERABLE_FOLDER;

// A file of that folder; for a library its Windows name will do
// (deliverable("comlink.dll") loads .../libcomlink.so).
inline std::string deliverable(const std::string& file) { return kDeliverableFolder + "/" + file; }
