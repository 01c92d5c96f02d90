#pragma once

#include <QString>

class PageModel;
class Prompt;

// Fills model from the page definition file DatNam; the caller has emptied the per-page lists
// with InitData. Layout values, build and column order that the file lacks keep their values,
// except fileversion, AutoWidth and NoAutoScale, which are reset first. Row names are resolved
// against the model's offered entries.
// A file that cannot be opened: "Datei nicht gefunden: <DatNam>" is shown and the model is left as
// it was. A text that does not convert where a number or truth value is required, or an
// input/output error, throws OperationError: the lines before it stay in the model.
// The result carries no information (true when the file was opened).
bool LoadHTMLSourcePage(PageModel &model, const QString &DatNam, Prompt &prompt);
