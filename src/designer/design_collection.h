#pragma once

// The collection the designer edits, and its two file forms: the readable source
// (one "Name: col row orient, ..." line a figure) and the game's ftrg2.dat.

#include "figures/figure_source.h"

#include <QString>

#include <string>
#include <vector>

struct DesignCollection {
    std::string Header; // the source's leading comment lines, kept as they were
    std::vector<SourceFigure> Figures;
};

// The source of the shipped collection, installed beside its ftrg2.dat.
inline constexpr const char* ShippedSourceName = "figures.txt";

// ".dat" (any case) is the game's record file; everything else is read as source.
bool IsRecordFilePath(const QString& path);

// Reads at most a few megabytes; false with `error` worded in `language` when the
// file cannot be read, is too large, is malformed, holds no figure or more than
// the game reads (222), or a name that NameProblem refuses. A record file's
// figures are named "Figure N" ("Figur N"), unless figures.txt beside it is
// its source (the shipped collection), whose names they then take. Records are taken as they are;
// the caller judges them.
bool ReadDesignCollection(const QString& path, int language, DesignCollection& collection,
                          QString& error);

// Both write atomically: a failed write leaves the old file whole. The record
// file takes only a collection the game can read: 1..222 figures, each on the
// board with orientations 0..15.
bool WriteSourceFile(const QString& path, const DesignCollection& collection, int language,
                     QString& error);
bool WriteDesignRecords(const QString& path, const DesignCollection& collection, int language,
                        QString& error);

// The user's own collection, which the game lists beside the shipped one:
// fribo-trigonet/ftrg2.dat in the user's data folder.
QString PersonalCollectionPath();

// Writes the record file there, and its source beside it for the names, making
// the folder first.
bool InstallForMe(const DesignCollection& collection, int language, QString& error);

inline constexpr int MaxNameLength = 80;

// Why `name` cannot be a figure's name (empty, longer than MaxNameLength, a colon
// or line break, a leading '#'), or empty when it can. `name` is taken trimmed.
// The name dialog and the text import both ask it.
QString NameProblem(const QString& name, int language);
// The same for a name read from a file, which must be UTF-8 besides.
QString NameProblem(const std::string& bytes, int language);
