#pragma once

#include "page/SiteData.h"

#include <QList>
#include <QString>
#include <QStringList>

struct TPSObj;

// Whether a visitor may enter a value in an object row.
enum class InputState {
    Yes,   // an input field
    No,    // shown only, may be switched to Yes
    None,  // the object takes no input
    Error, // the row names no offered entry
    Other, // what an older file held where the state stands; kept as text (PageRow::otherInput)
};

// One object row or macro row of a page. entry points into the catalogue without owning it; null
// when the name resolves to no offered entry. Macro rows have no input state.
struct PageRow
{
    QString name;
    QString label;
    InputState input = InputState::None;
    QString otherInput;
    TPSObj *entry = nullptr;

    bool operator==(const PageRow &) const = default;
};

// The two row lists of a page.
enum class RowKind { Object, Macro };

// What a page definition file holds: the page's name, its layout, the build order of its parts
// and the order of its object columns, its object and macro rows, its navigation links and its two
// HTML inserts. Rows are counted from 0. A value: copying it copies the page.
struct PageDocument
{
    QString name; // the page's name, stored in the file's header
    qint32 fileVersion = 0;
    TSiteData layout;
    QList<CheckEntry> buildOrder;  // the parts of PageParts::PagePartNames, in their order
    QList<CheckEntry> columnOrder; // the columns of PageParts::ObjColumnNames
    QList<PageRow> objects;
    QList<PageRow> macros;
    QStringList links; // "name : target" (see LinkText); an external target starts with ">"
    QStringList html1; // HTML insert 1, lines as typed
    QStringList html2;

    PageDocument();

    bool operator==(const PageDocument &) const = default;

    QList<PageRow> &rows(RowKind kind) { return kind == RowKind::Object ? objects : macros; }
    const QList<PageRow> &rows(RowKind kind) const { return kind == RowKind::Object ? objects : macros; }

    // Build order and column order to their start state: all columns ticked, the parts up to the
    // second navigation line ticked.
    void resetOrders();
    // Empties what belongs to one page only: rows, links, HTML inserts, headline and background
    // picture. Layout values, build and column order and automatic refresh stay.
    void clearContent();

    // Whether some object row is an input field.
    bool hasInputFields() const;
    // Object and macro rows without an offered entry: the page file writer leaves them out.
    int unresolvedRowCount() const;
    // Whether the navigation line is written: either of its parts ticked in the build order.
    bool writesLinks() const;
};

// A label as typed, without the characters that break its row in the page file ("@" separates the
// row's fields, a double quote hides separators); refused is set when any were removed.
QString acceptedLabel(const QString &typed, bool *refused = nullptr);

// Moves list[from] to position to, the entries between closing up, and returns to. When either
// is no position of the list nothing moves and from is returned.
template <typename T> qsizetype moveEntry(QList<T> &list, qsizetype from, qsizetype to)
{
    if (from < 0 || from >= list.size() || to < 0 || to >= list.size())
        return from;
    list.move(from, to);
    return to;
}
