// The install folder's subfolders: setup sorts files into them and names
// files in them in the registry, and the uninstaller removes them.
#pragma once

namespace InstallSubfolder {
inline constexpr const char* Sounds = "Sounds";
inline constexpr const char* Languages = "Languages";
inline constexpr const char* Help = "Help";
} // namespace InstallSubfolder

// Sound files are those whose names contain one of these (case-sensitive).
inline constexpr int SoundPatternCount = 4;
inline constexpr const char* SoundPatterns[SoundPatternCount] = {".wav", ".WAV", ".mid", ".MID"};
