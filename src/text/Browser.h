#pragma once

#include <QString>
#include <QStringList>

// Finding the program of the default web browser, once at program start, so that the page editor
// can open an external link's address in it. Empty when no browser is known.
QString DefaultBrowserPath();

// The program of a browser command as the registry stores it: the text between the first pair of
// double quotes when the command starts with one (empty without a closing quote), else the whole
// command, arguments included.
QString browserCommandPath(const QString &command);

// The program named by the Exec line of a desktop entry's lines (its first word, quotes removed);
// empty when the entry has no Exec line in its [Desktop Entry] group.
QString desktopEntryProgram(const QStringList &lines);
