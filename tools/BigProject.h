#pragma once

#include <QString>
#include <QStringList>

// Large generated test data for the benchmarks and for measuring by hand: a control program with
// any number of objects (and 2.5 variables per object) and a project whose pages use it. The same
// sizes always give the same bytes, so figures can be reproduced anywhere.
namespace BigProject {

// Variables per device: every device brings this many variables along with DevCode 55.
inline constexpr int VariablesPerDevice = 25;
inline constexpr int RowsPerPage = 50;
inline constexpr int MacrosPerPage = 10;
inline constexpr int LinksPerPage = 10;
inline const QString ProjectName = QStringLiteral("BENCH");

// The name of object o (lights and temperatures in seven rooms).
QString objectName(int o);

// Readable lines of a control program with objects objects and objects * 5 / 2 variables: the first
// objects / 10 objects are devices that bring 25 variables each, the rest lights and temperatures.
// Line 1 is the header line.
QStringList programLines(int objects);

// The name of page p.
QString pageName(int page);

// The lines of page p of a project of pages pages against a program of objects objects: the full
// layout, RowsPerPage object rows, MacrosPerPage macros and LinksPerPage links to other pages, all
// of which the program offers and the project lists.
QStringList pageLines(int page, int pages, int objects);

// Writes the scrambled control program to path. Returns false with *error on failure.
bool writeProgram(const QString &path, int objects, QString *error);

// Writes a complete project into folder: BENCH.RVX, BENCH.FNP (naming the pages and the execution
// file), BENCH_WEBUSERS.USR and one page file per page. Nothing in it is wrong, so a project check
// finds nothing. Returns false with *error on failure.
bool writeProject(const QString &folder, int objects, int pages, QString *error);

} // namespace BigProject
