#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Number and truth value conversions shared by every reader.

// A whole number: optional leading blanks, optional sign, decimal digits, or hexadecimal digits
// after "$" or "0x" (up to FFFFFFFF, taken as 32-bit two's complement). The whole text must be
// the number.
std::optional<qint32> parseWholeNumber(QStringView s);

// A whole decimal number: optional sign and decimal digits only, 32-bit.
std::optional<qint32> parseWholeDecimal(QStringView s);

// A truth value: a whole number (0 is false, anything else true) or "true"/"false" in any case.
std::optional<bool> parseTruthValue(QStringView s);

// As parseWholeNumber, but a text that is no whole number throws OperationError with
// "'<s>' ist kein gültiger Integerwert".
qint32 StrToInt(const QString &s);

// As parseTruthValue, but throws OperationError with "'<s>' ist kein gültiger boolescher Wert".
bool StrToBool(const QString &s);
