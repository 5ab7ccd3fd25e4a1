#pragma once
// The settings files below the program folder: Kelo.ini, the skin choice, the skin's
// Skin.ini and layout file, the application's Video.ini. Missing files, sections and keys
// give the defaults.
#include "settings/CSkinSettings.h"

// Resource, video and skin base folders from the application and program folders.
void DeriveFolders(CSkinSettings& settings);
// Reads every settings file into settings, whose m_strExeDir names the program folder.
void ReadSettingsFiles(CSkinSettings& settings);
// Records the skin folder named strName as the choice ReadSettingsFiles reads, and in the
// start page's script.
void WriteSkinChoice(const CString& strExeDir, const CString& strName);
// The skins among the scanned folders (m_astrSkinFolders): those that hold a Skin.ini, in
// the scan's order, each by the name the choice records: its path below SKINS, which for
// a skin directly in SKINS is its plain name.
void ListSkins(const CSkinSettings& settings, CStringArray& astrNames);
