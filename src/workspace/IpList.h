#pragma once

class ProjectModel;
class Prompt;

// The list of client IPs that need no password, and the single entry "ALL" that exempts every
// client. Both operations set IsChanged, whatever they do.

// Trims NewIP and adds it: "ALL" replaces the whole list, an address replaces a lone "ALL". A text
// shorter than 4 characters (other than "ALL") is refused with "Ungültige IP-Adersse"; an entry
// already listed (letter case ignored) beeps and leaves NewIP as it is. NewIP is emptied on success.
void AddFreeIP(ProjectModel &model, Prompt &prompt);

// Removes the entry at index (from 0); index -1 or out of range warns "Kein Eintrag ausgewählt".
void DeleteFreeIP(ProjectModel &model, int index, Prompt &prompt);

// The hidden test mode switch: on becomes off and off becomes on. IsChanged stays.
void ToggleTestMode(ProjectModel &model);
