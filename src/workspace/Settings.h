#pragma once

#include <QString>

class AppState;
class SettingsStore;

// The values kept between runs in the per-user settings store, and the values read from the keys
// of the sibling products and of the execution engine.

// Writes the own key (created when missing): LASTFILE, DIRDAT, DIRPGM and RVXDATE (ExecFileDate as
// 8 bytes, see rvxDateBytes). Reports nothing.
void WriteSettings(const AppState &state, SettingsStore &store);

// Sets DataFolder, ProjectName, DefData.RVXDate and ExecFileName from the own, sibling and engine
// keys. Any read error (a value of another type than expected, a binary value not 8 bytes long)
// empties ProjectName and DataFolder; what was set before the error in RVXDate and ExecFileName stays.
void ReadSettings(AppState &state, SettingsStore &store);

// Sets ExecFileName from the engine key's CUREXECFILE (relative to DataFolder, or a full path of its
// own) when present; the
// file's existence is not checked, and errors leave ExecFileName unchanged.
void ReadCurrentExecFile(AppState &state, SettingsStore &store);

namespace SettingsKeys {
inline const QString Own = QStringLiteral("Software\\Quorvant\\FENNARO\\INITALL");
inline const QString Vellmoor = QStringLiteral("Software\\Quorvant\\Vellmoor\\INITALL");
inline const QString Ostrilux = QStringLiteral("Software\\Quorvant\\Ostrilux\\INITALL");
inline const QString Engine = QStringLiteral("Software\\Quorvant\\RunvaultWin\\FILES");
} // namespace SettingsKeys
