#pragma once

#include <QString>

class Catalogue;
struct PageDocument;
struct TPSObj;

// The page as the web server lays it out, as rich text for Qt's text views: background, headline,
// the parts in the build order (unchecked ones left out), the object table with its columns in
// their order and visibility, the macro rows, the navigation bar at each of its places and the
// HTML inserts. Values are placeholders that fit each object's kind and range (the type names of
// variable entries come from catalogue).
QString pagePreviewHtml(const PageDocument &page, const Catalogue &catalogue);

// The value the preview shows for an object: a number inside its range with its decimals, the
// first state name (of the object, or of the enumeration type of a variable entry in catalogue),
// or a word for the kind.
QString placeholderValue(const TPSObj *entry, const Catalogue *catalogue = nullptr);
