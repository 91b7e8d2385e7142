#pragma once

// A small data set for the editor's tests: five modifications in three classes, two of them
// with the same name, fields of every kind, and rows whose labels differ from the names.

#include <string>

#include "test_support/temp_folder.h"

namespace kalverin::testing {

inline const std::string kClasses =
    "4\r\n"
    "\"All\"\r\n"
    "\"Barrel\"\r\n"
    "\"Sights\"\r\n"
    "\"Stock\"\r\n";

// Record 2 holds a quoted number in Power, an empty Weight and a bare number in Mode; record 5
// has no mounts at all.
inline const std::string kModifications =
    "5\r\n"
    "\"Barrel\",\"Match Barrel\",0,\"\",0,0.1,0,\"\",-0.5,80,\"\",,\"\",0,\"\",0.25\r\n"
    "\"Sights\",\"Scope\",\"2\",\"+1\",-1,,3,\"AP\",0.5,-40,\"Top\",\"Large\",\"Small\",-0.5,2,"
    "1.5\r\n"
    "\"Barrel\",\"Long Barrel\",1,\"\",-1,0.3,0,\"\",-0.5,40,\"Barrel\",,\"\",-0.5,\"\",0\r\n"
    "\"Sights\",\"Long Barrel\",2,\"\",0,0,0,\"\",0,10,\"Top\",,\"\",0,\"\",0\r\n"
    "\"Stock\",\"Folding Stock\",0,\"\",1,0.5,0,\"\",0,30,,,\"\",0.5,\"\",0\r\n";

inline const std::string kMaxLevels =
    "5\r\n"
    "\"Match Barrel\",1,1,1,1,1,1,0,1,1,1,1,1,1,1\r\n"
    "\"Scope\",0,1,2,3,4,5,6,7,8,9,10,11,12,-1\r\n"
    "\"Long Barrel\",2,2,2,2,2,2,2,2,2,2,2,2,2,2\r\n"
    "\"Long Barrel\",3,3,3,3,3,3,3,3,3,3,3,3,3,3\r\n"
    "\"Folding Stock\",0,0,0,0,0,0,0,1,1,1,0,0,0,0\r\n";

// Row 5 has a bare number for its label; row 2's text holds a comma.
inline const std::string kDetails =
    "5\r\n"
    "\"Match Barrel\",\"Lapped for accuracy.\"\r\n"
    "\"Scope\",\"Magnified sight, for the top rail.\"\r\n"
    "\"Long Barrel\",\"More velocity.\"\r\n"
    "\"Long Barrel\",\"A sight rail on a long barrel.\"\r\n"
    "12,\"Folds for carrying.\"\r\n";

// A program folder whose Data folder holds the small data set; no Frames.txt.
inline void WriteEditorData(const TempFolder& program) {
    program.Write("Data/Classes.txt", kClasses);
    program.Write("Data/Modifications.txt", kModifications);
    program.Write("Data/MaxLevel.txt", kMaxLevels);
    program.Write("Data/Details.txt", kDetails);
}

}  // namespace kalverin::testing
